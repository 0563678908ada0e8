#pragma once

#include <QKeyCombination>
#include <array>

#include "app/shell/CommandId.h"

namespace zef::ui {

// One key and the command it runs.
struct Accelerator {
    QKeyCombination key;
    CommandId command;
};

// Plain keys are without modifiers. Enter of the keypad toggles VTR mode like Enter.
inline constexpr std::array<Accelerator, 26> kAccelerators = {{
    {Qt::CTRL | Qt::Key_N, CommandId::kNewModel},
    {Qt::CTRL | Qt::Key_O, CommandId::kOpen},
    {QKeyCombination(Qt::Key_1), CommandId::kStraightLine},
    {QKeyCombination(Qt::Key_2), CommandId::kCurve},
    {Qt::CTRL | Qt::Key_S, CommandId::kSave},
    {QKeyCombination(Qt::Key_V), CommandId::kMove},
    {QKeyCombination(Qt::Key_Z), CommandId::kScale},
    {QKeyCombination(Qt::Key_Return), CommandId::kVtr},
    {QKeyCombination(Qt::Key_Enter), CommandId::kVtr},
    {Qt::SHIFT | Qt::Key_Z, CommandId::kRemoveLastLine},
    {Qt::CTRL | Qt::Key_P, CommandId::kProperties},
    {QKeyCombination(Qt::Key_Y), CommandId::kShaking},
    {QKeyCombination(Qt::Key_3), CommandId::kRectangle},
    {QKeyCombination(Qt::Key_4), CommandId::kEllipse},
    {QKeyCombination(Qt::Key_5), CommandId::kFilledRectangle},
    {QKeyCombination(Qt::Key_6), CommandId::kFilledEllipse},
    {QKeyCombination(Qt::Key_M), CommandId::kRangeSelection},
    {Qt::CTRL | Qt::Key_A, CommandId::kSelectAll},
    {Qt::CTRL | Qt::Key_D, CommandId::kDeselect},
    {Qt::CTRL | Qt::Key_I, CommandId::kInvertSelection},
    {QKeyCombination(Qt::Key_Delete), CommandId::kDeleteSelection},
    {Qt::CTRL | Qt::Key_Z, CommandId::kUndo},
    {Qt::CTRL | Qt::Key_Y, CommandId::kRedo},
    {QKeyCombination(Qt::Key_T), CommandId::kStraighten},
    {Qt::KeypadModifier | Qt::Key_Enter, CommandId::kVtr},
    {Qt::KeypadModifier | Qt::Key_Delete, CommandId::kDeleteSelection},
}};

}  // namespace zef::ui
