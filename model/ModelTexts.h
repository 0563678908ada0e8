#pragma once

// User-visible texts of the model, used verbatim.
namespace zef::texts {

inline constexpr const char* kAppendOutOfMemory = "선 용 메모리를 확보 못했어요;;.";
inline constexpr const char* kLoadOutOfMemory = "불러올때 선 용 메모리를 확보 못했어요;;,";
inline constexpr const char* kNotModelFile = "제프모델파일이 아니에요;;.";
inline constexpr const char* kNotProperModel = "정상적인 제프툴 모델이 아니에요;;.";
inline constexpr const char* kNewerModelVersion =
    "보다 새 제프툴 모델 버젼이에요.       \n최신버젼으로 불러오시세요;;.";
inline constexpr const char* kSaveFailed = "제프모델파일을 저장하지 못했어요;;.";

}  // namespace zef::texts
