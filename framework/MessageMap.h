// The tables that route window messages to member functions.
#pragma once

#include <windows.h>

#include <cstddef>

class CWnd;

// One row of a class's message table: a message or a range of messages and, for WM_COMMAND and
// WM_NOTIFY rows, the notification code and the range of control ids it answers.
struct MessageEntry {
    UINT firstMessage;
    UINT lastMessage;
    UINT code;
    UINT firstId;
    UINT lastId;
    LRESULT (*handler)(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool Matches(UINT message, WPARAM wParam, LPARAM lParam) const;
};

// A class's table, chained to its base class's table.
struct MessageMap {
    const MessageMap* base;
    const MessageEntry* first;
    const MessageEntry* last;

    template <std::size_t N>
    MessageMap(const MessageMap* baseMap, const MessageEntry (&entries)[N])
        : base(baseMap), first(entries), last(entries + N) {}
    explicit MessageMap(const MessageMap* baseMap) : base(baseMap), first(nullptr), last(nullptr) {}

    // The first row, from the most derived table down, that answers the message.
    const MessageEntry* Find(UINT message, WPARAM wParam, LPARAM lParam) const;
};
