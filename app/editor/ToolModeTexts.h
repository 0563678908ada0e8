#pragma once

#include <array>

// The status hints of the tools and modes, used verbatim.
namespace zef::texts {

// Status hints of the tools, in the order of Tool.
inline constexpr std::array<const char*, 7> kToolHints = {
    "드래그로 직선을 그어요. 드래그중 우클릭하면 선을 바로 이어요.",
    "드래그로 곡선을 그어요. 단순한 선의 모임이니까 너무 남용하지 마세요.",
    "드래그로 직사각을 그려요",
    "드래그로 원을 그려요",
    "드래그로 전부칠해진 직사각을 그려요.",
    "드래그로 전부칠해진 원을 그려요.",
    "드래그로 지정할곳을 선택. Ctrl키를 누르면서 선택 추가.Shift키를 누르면서 선택제외.",
};

inline constexpr const char* kMoveModeHint = "드래그로 평행이동.";
inline constexpr const char* kScaleModeHint =
    "드래그로 확대,축소. 드래그 시작점을 기준으로 드래그 넓이로 커지거나 작아져요.";
inline constexpr const char* kVtrModeHint = "제프모델을 그린 순서로 재생해요.";

}  // namespace zef::texts
