// Images from "PNG" resources: what the holder owns and when it lets go, and the free loader.
#include "SkinTestSupport.h"

#include <psapi.h>

#include "GdiplusEnvironment.h"
#include "resource.h"

namespace {

CWinApp g_app;
::testing::Environment* const g_gdiplus =
    ::testing::AddGlobalTestEnvironment(new CGdiplusEnvironment);

constexpr UINT kNoSuchResource = 4242;

bool IsFreed(HGLOBAL hMem) {
    return ::GlobalFlags(hMem) == GMEM_INVALID_HANDLE;
}

// Committed private memory (Wine reports it as the page-file usage only).
SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc.PagefileUsage;
}

} // namespace

TEST(PngResource, LoginArtworkLoadsAtItsSizeWithItsBlockLockedOnce) {
    CGdiPlusPngResource png;
    ASSERT_TRUE(png.Load(IDB_LOGIN_BG, AfxGetResourceHandle()));
    EXPECT_EQ(png.GetWidth(), 1334u);
    EXPECT_EQ(png.GetHeight(), 725u);
    ASSERT_NE(png.m_hBuffer, nullptr);
    EXPECT_EQ(::GlobalFlags(png.m_hBuffer) & GMEM_LOCKCOUNT, 1u);
}

TEST(PngResource, EmptyHolderMeasuresNothing) {
    CGdiPlusPngResource png;
    EXPECT_EQ(png.GetWidth(), 0u);
    EXPECT_EQ(png.GetHeight(), 0u);
    png.Empty();
    png.Empty();
    EXPECT_EQ(png.m_pImage, nullptr);
    EXPECT_EQ(png.m_hBuffer, nullptr);
}

TEST(PngResource, SecondLoadReleasesTheFirstImageAndBlock) {
    CGdiPlusPngResource png;
    ASSERT_TRUE(png.Load(IDB_LOGIN_BG, AfxGetResourceHandle()));
    HGLOBAL first = png.m_hBuffer;
    ASSERT_TRUE(png.Load(IDB_LOGIN_MIN, AfxGetResourceHandle()));
    EXPECT_EQ(png.GetWidth(), 39u);
    EXPECT_EQ(png.GetHeight(), 156u);
    // Either the first block is gone, or the allocator handed the same handle out again.
    EXPECT_TRUE(png.m_hBuffer == first || IsFreed(first));
    EXPECT_EQ(::GlobalFlags(png.m_hBuffer) & GMEM_LOCKCOUNT, 1u);
}

TEST(PngResource, FailedSecondLoadLeavesTheHolderEmpty) {
    struct Case {
        const char* what;
        UINT id;
    };
    const Case cases[] = {
        {"a bitmap is not a PNG resource", IDB_GAME_TITLE_BG},
        {"no resource at all", kNoSuchResource},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CGdiPlusPngResource png;
        ASSERT_TRUE(png.Load(IDB_LOGIN_CLOSE, AfxGetResourceHandle()));
        HGLOBAL first = png.m_hBuffer;
        EXPECT_FALSE(png.Load(c.id, AfxGetResourceHandle()));
        EXPECT_EQ(png.m_pImage, nullptr);
        EXPECT_EQ(png.m_hBuffer, nullptr);
        EXPECT_TRUE(IsFreed(first));
        EXPECT_EQ(png.GetWidth(), 0u);
        EXPECT_EQ(png.GetHeight(), 0u);
    }
}

TEST(PngResource, FreeLoaderFindsSpritesButNotBitmaps) {
    std::unique_ptr<Gdiplus::Image> sprite =
        LoadPngFromResource(AfxGetResourceHandle(), IDB_GAME_MAX);
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->GetWidth(), 29u);
    EXPECT_EQ(sprite->GetHeight(), 120u);
    EXPECT_EQ(LoadPngFromResource(AfxGetResourceHandle(), IDB_GAME_TITLE_BG), nullptr);
    EXPECT_EQ(LoadPngFromResource(AfxGetResourceHandle(), kNoSuchResource), nullptr);
}

// Each round decodes the 1334 x 725 artwork (about 4 MB of pixels plus the 0.7 MB file copy):
// anything either loader kept per round would show as hundreds of megabytes.
TEST(PngResource, RepeatedLoadsGiveEverythingBack) {
    constexpr int kRounds = 40;
    {
        CGdiPlusPngResource warmUp;
        warmUp.Load(IDB_LOGIN_BG, AfxGetResourceHandle());
    }
    SIZE_T before = PrivateBytes();
    CGdiPlusPngResource holder;
    for (int i = 0; i < kRounds; ++i) {
        ASSERT_TRUE(holder.Load(IDB_LOGIN_BG, AfxGetResourceHandle()));
        auto image = LoadPngFromResource(AfxGetResourceHandle(), IDB_LOGIN_BG);
        ASSERT_EQ(image->GetWidth(), 1334u);
    }
    holder.Empty();
    SIZE_T after = PrivateBytes();
    ASSERT_NE(before, 0u);
    std::printf("private bytes: %lu KB before, %lu KB after %d rounds\n",
                static_cast<unsigned long>(before / 1024), static_cast<unsigned long>(after / 1024),
                kRounds);
    EXPECT_LT(after, before + 40 * 1024 * 1024);
}
