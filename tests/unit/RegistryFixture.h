#pragma once
// A private registry root for one test, removed before and after it, so tests never see each
// other's values nor the program's own.
#include "framework/Registry.h"
#include "framework/Text.h"

#include <gtest/gtest.h>

class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        root_ = fw::Format(L"Software\\Tresk\\ZevrinTest\\%d-%S", static_cast<int>(GetCurrentProcessId()), info->name());
        fw::RegKey::DeleteTree(HKEY_CURRENT_USER, root_);
    }
    void TearDown() override { fw::RegKey::DeleteTree(HKEY_CURRENT_USER, root_); }

    fw::RegKey Key(const std::wstring& sub) const { return fw::RegKey::Create(HKEY_CURRENT_USER, root_ + L"\\" + sub); }
    const std::wstring& Root() const { return root_; }

private:
    std::wstring root_;
};
