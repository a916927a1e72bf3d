#pragma once
// The five search engines, in launch order (the order in which a search tests their flags).
namespace qivyun {

enum class EngineId { Ed2k4U, H31B, DHCT, FuSo, Hash };

inline constexpr EngineId AllEngines[] = {EngineId::Ed2k4U, EngineId::H31B, EngineId::DHCT, EngineId::FuSo,
                                          EngineId::Hash};
inline constexpr int EngineCount = 5;

}  // namespace qivyun
