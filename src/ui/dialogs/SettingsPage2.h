#pragma once
// The "File Associations" page: one checked row per file type the program opens. Adding and
// checking only change the list; OK applies it (associating the checked types, giving the
// unchecked ones back). Delete takes a type away from the registry at once.
#include "services/FileTypeInfo.h"
#include "framework/Handles.h"
#include "framework/PropertySheet.h"

#include <memory>
#include <vector>

namespace zevrin {

class CAppSettings;

class CSettingsPage2 : public fw::CPropertyPage {
public:
    explicit CSettingsPage2(CAppSettings& settings);

    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override;

protected:
    bool OnInitDialog() override;
    void OnApply() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SetUpList();
    // Appends a row for a private copy of `type`, checked or not.
    void AddRow(const CFileTypeInfo& type, bool checked);
    CFileTypeInfo* RowType(int row) const;
    void OnAdd();
    void OnDelete();
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);

    CAppSettings& settings_;
    fw::UniqueImageList icons_;
    HWND list_ = nullptr;
    // The rows' records; a row's record goes when the row is deleted.
    std::vector<std::unique_ptr<CFileTypeInfo>> records_;
};

} // namespace zevrin
