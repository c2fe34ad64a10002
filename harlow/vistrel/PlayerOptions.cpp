#include "PlayerOptions.h"

#include "CallbackChannel.h"
#include "CommandLine.h"

#include <algorithm>

namespace harlow::vistrel {

CommandLine ParsePlayerCommandLine(const std::vector<std::wstring>& tokens) {
    return CommandLine(tokens, {L"-vn", L"-an"},
                       {L"-displaywindow", L"-videodriver", L"-audiodriver", L"-threads", L"-ss", L"-endpos",
                        L"-audiofile", L"-volume", L"-effect", L"-vf", L"-callbackwindow", L"-context"});
}

bool ReadPlayerOptions(const CommandLine& args, PlayerOptions& o) {
    if (args.Positional().empty() || args.Positional().front().empty()) return false;
    o.media = args.Positional().front();
    if (const auto v = args.Value(L"-displaywindow")) o.displayWindow = ParseWindowHandle(*v).value_or(nullptr);
    o.noVideo = args.Has(L"-vn");
    o.noAudio = args.Has(L"-an");
    if (const auto v = args.Value(L"-ss")) o.startUs = std::max<long long>(0, ParseTime(*v).value_or(0));
    if (const auto v = args.Value(L"-endpos")) o.endUs = std::max<long long>(0, ParseTime(*v).value_or(0));
    if (const auto v = args.Value(L"-volume"))
        o.volume = static_cast<int>(std::clamp<long long>(ParseInteger(*v).value_or(100), 0, 100));
    if (const auto v = args.Value(L"-effect"))
        o.effect = static_cast<int>(std::max<long long>(0, ParseInteger(*v).value_or(0)));
    if (const auto v = args.Value(L"-threads"))
        o.threads = static_cast<int>(std::clamp<long long>(ParseInteger(*v).value_or(0), 0, 64));
    if (const auto v = args.Value(L"-audiodriver")) o.audioDriver = *v;
    return true;
}

} // namespace harlow::vistrel
