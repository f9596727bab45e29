#pragma once
// Plain numbers that several parts of the calculation and its front ends use, each named once so
// that no two copies can drift apart.

namespace veltrane {

/// Percent per unit: a fraction × this is a percentage (drift loss, fan efficiency, capability).
inline constexpr double kPercent = 100.0;
/// Minutes per hour: gpm × this × hours is US gallons; lb/h ÷ this is lb/min.
inline constexpr double kMinutesPerHour = 60.0;
/// Water freezes at 32 °F at any pressure the calculation meets; it is also the zero of °C.
inline constexpr float kFreezingPointF = 32.0F;

}  // namespace veltrane
