#pragma once
// Where a tool wrapper reports what its tool sent back. Arguments are plain values or pointers
// into the received message block; the pointers are valid only during the call.
#include <cstdint>

namespace zevrin {

class IToolSink {
public:
    virtual ~IToolSink() = default;
    // source is always 0; type is the tool's callback type.
    virtual int Notify(int source, int type, int argCount, const std::intptr_t* args) = 0;
};

} // namespace zevrin
