#pragma once

namespace veltrane {

/// What a property function or the solver tells its caller. On ArithmeticFault no result was
/// handed back; further outputs written before the faulting step keep what they were given.
enum class [[nodiscard]] Status{Ok, ArithmeticFault};

}  // namespace veltrane
