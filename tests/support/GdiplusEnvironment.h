// GDI+ running for the whole test program, as the launcher keeps it running for its whole run.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

class CGdiplusEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
    }

private:
    ULONG_PTR m_token = 0;
};
