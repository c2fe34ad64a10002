#pragma once
// Association tests work in the real classes of the test prefix (where the program writes
// them: HKEY_CLASSES_ROOT under Wine), on extensions and ProgIDs no program uses (".zvt..."),
// removed before and after each test; the remembered owners go to the test's private
// settings root.
#include "services/AppResources.h"
#include "services/AppSettings.h"
#include "framework/Registry.h"
#include "system/ClassesKeys.h"
#include "RegistryFixture.h"

#include <string>
#include <vector>
#include <memory>

class AssociationTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        resources_.osVersion.dwPlatformId = VER_PLATFORM_WIN32_NT;
        resources_.osVersion.dwMajorVersion = 10;
        zevrin::PublishResources(&resources_);
        settings_ = std::make_unique<zevrin::CAppSettings>(Root());
        settings_->fileTypes.clear();
        Clean();
    }
    void TearDown() override {
        Clean();
        settings_.reset();
        zevrin::PublishResources(nullptr);
        RegistryTest::TearDown();
    }

    // Every class key a test may write: its extensions and their ProgIDs.
    virtual std::vector<std::wstring> Extensions() const { return {L".zvta", L".zvtb", L".zvt c"}; }

    static fw::RegKey ClassKey(const std::wstring& name) {
        zevrin::ClassesKeyPath where = zevrin::ClassesKey(name);
        return fw::RegKey::Open(where.root, where.path);
    }
    static fw::RegKey CreateClassKey(const std::wstring& name) {
        zevrin::ClassesKeyPath where = zevrin::ClassesKey(name);
        return fw::RegKey::Create(where.root, where.path);
    }
    static void DeleteClassKey(const std::wstring& name) {
        zevrin::ClassesKeyPath where = zevrin::ClassesKey(name);
        fw::RegKey::DeleteTree(where.root, where.path);
    }
    // The default value of a class key; "<missing>" when the key is not there.
    static std::wstring DefaultOf(const std::wstring& name) {
        fw::RegKey key = ClassKey(name);
        if (!key) return L"<missing>";
        return key.ReadString(nullptr).value_or(L"");
    }
    static void SetDefault(const std::wstring& name, const std::wstring& value) {
        CreateClassKey(name).WriteString(nullptr, value);
    }

    zevrin::CAppSettings& Settings() { return *settings_; }

private:
    void Clean() const {
        for (const std::wstring& ext : Extensions()) {
            DeleteClassKey(ext);
            DeleteClassKey(zevrin::MakeProgId(ext));
        }
    }

    zevrin::CAppResources resources_;
    std::unique_ptr<zevrin::CAppSettings> settings_;
};
