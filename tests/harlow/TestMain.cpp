// The test entry point: the project links with -municode, so the entry is wmain.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Text.h"

extern "C" {
#include <libavutil/log.h>
}

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i)
        args.push_back(harlow::ToUtf8(argv[i]));
    std::vector<char*> pointers;
    for (std::string& a : args)
        pointers.push_back(a.data());
    av_log_set_level(AV_LOG_QUIET); // reading outputs back must not clutter the test log
    int count = argc;
    testing::InitGoogleTest(&count, pointers.data());
    return RUN_ALL_TESTS();
}
