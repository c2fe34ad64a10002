#pragma once
// The command state of a gadget: a bar takes only "enabled" from the update handlers; checks
// and texts belong to menus.
#include "framework/CmdUI.h"
#include "ui/display/Gadget.h"

namespace zevrin {

class CGadgetCmdUI : public fw::CCmdUI {
public:
    explicit CGadgetCmdUI(CGadget& gadget) : fw::CCmdUI(gadget.CommandId()), gadget_(gadget) {}
    void Enable(bool on) override { gadget_.Enable(on); }
    void SetCheck(int) override {}
    void SetRadio(bool) override {}
    void SetText(const std::wstring&) override {}

private:
    CGadget& gadget_;
};

} // namespace zevrin
