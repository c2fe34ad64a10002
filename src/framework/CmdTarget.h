#pragma once
// Command handling: every object that takes commands has a table that lists, per command id
// or id range, the handler that carries the command out and the update handler that sets the
// state of its menu item or button. The tables are plain arrays a reader can take in at once:
//
//   bool CMyView::OnCmdMsg(UINT id, CCmdUI* ui) {
//       static const fw::Command<CMyView> commands[] = {
//           {ID_PLAY, &CMyView::OnPlay, &CMyView::OnUpdatePlay},
//           {ID_RECENT_FIRST, ID_RECENT_LAST, &CMyView::OnRecent},
//       };
//       return fw::DispatchCommand(this, commands, id, ui) || Base::OnCmdMsg(id, ui);
//   }
#include "framework/CmdUI.h"

#include <span>

namespace fw {

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Carries out command `id` (ui == nullptr) or runs its update handler (ui != nullptr).
    // Returns true when this object knows the command.
    virtual bool OnCmdMsg(UINT /*id*/, CCmdUI* /*ui*/) { return false; }
};

template <class T>
struct Command {
    using Handler = void (T::*)();
    using RangeHandler = void (T::*)(UINT id);
    using UpdateHandler = void (T::*)(CCmdUI& ui);

    Command(UINT id, Handler run, UpdateHandler update = nullptr)
        : first(id), last(id), onCommand(run), onUpdate(update) {}
    Command(UINT firstId, UINT lastId, RangeHandler run, UpdateHandler update = nullptr)
        : first(firstId), last(lastId), onRange(run), onUpdate(update) {}

    UINT first, last;
    Handler onCommand = nullptr;
    RangeHandler onRange = nullptr;
    UpdateHandler onUpdate = nullptr;
};

template <class T>
bool DispatchCommand(T* target, std::span<const Command<T>> table, UINT id, CCmdUI* ui) {
    for (const Command<T>& c : table) {
        if (id < c.first || id > c.last) continue;
        if (ui) {
            if (c.onUpdate)
                (target->*c.onUpdate)(*ui);
            else
                ui->Enable(true);
        } else if (c.onCommand) {
            (target->*c.onCommand)();
        } else if (c.onRange) {
            (target->*c.onRange)(id);
        }
        return true;
    }
    return false;
}

// Carries command `id` out through `route` (a target's table or a frame's routing) unless its
// update handler disables it. A greyed menu item cannot be chosen, but an accelerator, a key of
// a view, a button or another window's message can still send its id: the same rule holds for
// all of them. True when some target knows the command, run or refused.
template <class Route>
bool RunCommandIfEnabled(UINT id, Route&& route) {
    CStateCmdUI state(id);
    if (route(id, &state) && !state.Enabled()) return true;
    return route(id, nullptr);
}

template <class T, size_t N>
bool DispatchCommand(T* target, const Command<T> (&table)[N], UINT id, CCmdUI* ui) {
    return DispatchCommand(target, std::span<const Command<T>>(table, N), id, ui);
}

} // namespace fw
