// The test entry point: the project links with -municode, so the entry is wmain.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Text.h"

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i)
        args.push_back(harlow::ToUtf8(argv[i]));
    std::vector<char*> pointers;
    for (std::string& a : args)
        pointers.push_back(a.data());
    int count = argc;
    testing::InitGoogleTest(&count, pointers.data());
    return RUN_ALL_TESTS();
}
