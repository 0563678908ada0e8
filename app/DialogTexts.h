#pragma once

// User-visible texts of the model properties, colour picker and settings dialogs, used
// verbatim.
namespace zef::texts {

inline constexpr const char* kOkButton = "확인";
inline constexpr const char* kCancelButton = "취소";

// The model properties dialog.
inline constexpr const char* kPropertiesCaption = "제프모델의 등록정보";
inline constexpr const char* kNewModelPropertiesCaption = "새 파일의 제프툴 등록정보";
inline constexpr const char* kSizeGroup = "크기";
inline constexpr const char* kWidthLabel = "넓이";
inline constexpr const char* kHeightLabel = "높이";
inline constexpr const char* kTimesSign = "×";
inline constexpr const char* kSizeHint = "최소 10x10 ~ 최대 800x600";
inline constexpr const char* kLineWidthLabel = "선 굵기";
inline constexpr const char* kShakeLabel = "흔들림 상태";
inline constexpr const char* kSpeedLabel = "VTR 속도";
inline constexpr const char* kColourGroup = "색";
inline constexpr const char* kLineSwatch = "직선";
inline constexpr const char* kShadowSwatch = "그림자";
inline constexpr const char* kBackgroundSwatch = "배경";
inline constexpr const char* kChangeColourButton = "변경";
inline constexpr const char* kNoShadowCheck = "그림자 없애기";
inline constexpr const char* kAutomaticShadowButton = "그림자 색 자동지정";
inline constexpr const char* kStandardSchemeButton = "표준 배색으로 변경";
inline constexpr const char* kDefaultSettingsButton = "기본 설정으로 변경";
inline constexpr const char* kWidthOutOfRange = "제프모델의 넓이는 10~800의 값으로 해주세요.";
inline constexpr const char* kHeightOutOfRange = "제프모델의 높이는 10~600의 값으로 해주세요.";

// The colour picker.
inline constexpr const char* kColourPickerCaption = "색선택";
inline constexpr const char* kSwatchGroup = "색견본";
inline constexpr const char* kRedLabel = "RED";
inline constexpr const char* kGreenLabel = "GREEN";
inline constexpr const char* kBlueLabel = "BLUE";
inline constexpr const char* kColourPickerHint =
    "색 견본을 클릭하여,     \nRGB 바를 움직여 해당 견본 색을 선택해요.";

// The settings dialog and the file association.
inline constexpr const char* kSettingsCaption = "설정";
inline constexpr const char* kOpenInVtrCheck = "파일을 열때 VTR모드로";
inline constexpr const char* kAssociationGroup = "연결";
inline constexpr const char* kRegisterButton = "제프모델파일을 제프툴로 연결";
inline constexpr const char* kRemoveButton = "연결할때 해제";
inline constexpr const char* kAssociationHint = "파일을 연결할때 더블클릭으로 열수있어요";
inline constexpr const char* kRegistered =
    "제프모델파일(~.zfm)을\n현재 사용중인 제프툴에 연결했어요.";
inline constexpr const char* kRemoved = "제프모델파일(~.zfm)의 관련정보를 삭제했어요.";
inline constexpr const char* kOpenModelAction = "제프모델파일열기";

}  // namespace zef::texts
