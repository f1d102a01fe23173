#pragma once
// The captions of quantities that several windows ask for in the same words.
// A caption that only one window uses stands with that window's entry.

namespace catalogue::labels {

inline constexpr const char *decay = "水质降解系数K(0.02-0.5 1/d)";
inline constexpr const char *decayRange = "水质降解系数k(范围0.02-0.5 1/d)";
inline constexpr const char *velocity = "水流流速(m/s)";
inline constexpr const char *transverseDiffusion = "横向扩散系数(0.01-2.0 m2/s)";
inline constexpr const char *riverWidth = "河道宽度(m)";
inline constexpr const char *riverDepth = "河道平均水深(m)";
inline constexpr const char *distanceFromBank = "计算点距排污口所在岸边的距离(m)";
// The plume of an outfall, on the bank and off it.
inline constexpr const char *upstreamConcentration = "排污口上游污染物浓度(mg/L)";
inline constexpr const char *wastewaterDischarge = "排污口废水排放量(m3/s)";
inline constexpr const char *wastewaterConcentration = "排污口废水浓度(mg/L)";
inline constexpr const char *distanceDownstream = "计算点距排污口的距离(km)";

} // namespace catalogue::labels
