#include "platform/diagnostics.h"

#include <utility>

namespace tandrel {

namespace {
TraceSink& Sink() {
    static TraceSink sink;
    return sink;
}
}  // namespace

TraceSink SetTraceSink(TraceSink sink) {
    return std::exchange(Sink(), std::move(sink));
}

void Trace(std::wstring_view line) {
    if (Sink())
        Sink()(line);
}

}  // namespace tandrel
