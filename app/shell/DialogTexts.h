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

// The export dialog's pane: what it says of the file the options make.
inline constexpr const char* kPaneMeasuring = "파일을 만들어 크기를 재고 있어요………";
inline constexpr const char* kPaneFitting = "정한 용량에 맞는 크기를 찾고 있어요 (";
inline constexpr const char* kPaneFittingEnd = "번째)………";
inline constexpr const char* kPaneFrames = "컷, ";
inline constexpr const char* kPaneSeconds = "초, 파일 크기 ";
inline constexpr const char* kPaneBytes = "바이트";
inline constexpr const char* kPaneIs = "예요.";
inline constexpr const char* kPaneSequenceFrames = "장, 모두 ";
inline constexpr const char* kPaneAtMost = " 이하예요.";
inline constexpr const char* kPaneFitted = "정한 용량에 맞춰 ";
inline constexpr const char* kPaneFittedEnd = " 크기로 줄였어요.";
inline constexpr const char* kPaneQuality = " (품질 ";
inline constexpr const char* kPaneFailed = "이 설정으로는 파일을 만들 수 없어요;;.";
inline constexpr const char* kPaneCopied =
    "클립보드에 담았어요. 붙여 넣을 곳에서 붙여 넣어 주세요.";
inline constexpr const char* kPaneNotCopied = "클립보드에 담지 못했어요;;.";

}  // namespace zef::texts
