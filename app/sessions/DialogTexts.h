#pragma once

// The texts the dialogs' code shows, used verbatim; the texts of their controls are in their
// Designer forms.
namespace zef::texts {

// The model properties dialog.
inline constexpr const char* kPropertiesCaption = "제프모델의 등록정보";
inline constexpr const char* kNewModelPropertiesCaption = "새 파일의 제프툴 등록정보";
inline constexpr const char* kWidthOutOfRange = "제프모델의 넓이는 10~800의 값으로 해주세요.";
inline constexpr const char* kHeightOutOfRange = "제프모델의 높이는 10~600의 값으로 해주세요.";

// The settings dialog and the file association.
inline constexpr const char* kRegistered =
    "제프모델파일(~.zfm)을\n현재 사용중인 제프툴에 연결했어요.";
inline constexpr const char* kRemoved = "제프모델파일(~.zfm)의 관련정보를 삭제했어요.";
inline constexpr const char* kNotRegistered = "제프모델파일을 제프툴로 연결하지 못했어요;;.";
inline constexpr const char* kNotRemoved = "제프모델파일의 관련정보를 삭제하지 못했어요;;.";
inline constexpr const char* kOpenModelAction = "제프모델파일열기";

}  // namespace zef::texts
