// A chart module as an older veltrane-calc would have built it: another layout tag, and a
// writer that must never be called.
#include <cstddef>
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) const char* veltrane_chart_layout() {
    return "0.99 interface 1";
}

extern "C" __attribute__((visibility("default"))) bool veltrane_write_chart(const void*,
                                                                            const char*, int, char*,
                                                                            std::size_t) {
    std::abort();
}
