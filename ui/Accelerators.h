#pragma once

#include <QKeyCombination>
#include <array>

namespace zef::ui {

// One key of the accelerator table and the accelerator id it sends.
struct Accelerator {
    QKeyCombination key;
    int id;
};

// Plain keys are without modifiers. Enter of the keypad toggles VTR mode like Enter.
inline constexpr std::array<Accelerator, 26> kAccelerators = {{
    {Qt::CTRL | Qt::Key_N, 40009},
    {Qt::CTRL | Qt::Key_O, 1111},
    {QKeyCombination(Qt::Key_1), 40014},
    {QKeyCombination(Qt::Key_2), 40007},
    {Qt::CTRL | Qt::Key_S, 40012},
    {QKeyCombination(Qt::Key_V), 40008},
    {QKeyCombination(Qt::Key_Z), 40016},
    {QKeyCombination(Qt::Key_Return), 40013},
    {QKeyCombination(Qt::Key_Enter), 40013},
    {Qt::SHIFT | Qt::Key_Z, 40027},
    {Qt::CTRL | Qt::Key_P, 40011},
    {QKeyCombination(Qt::Key_Y), 40015},
    {QKeyCombination(Qt::Key_3), 40017},
    {QKeyCombination(Qt::Key_4), 40018},
    {QKeyCombination(Qt::Key_5), 40020},
    {QKeyCombination(Qt::Key_6), 40019},
    {QKeyCombination(Qt::Key_M), 40023},
    {Qt::CTRL | Qt::Key_A, 40006},
    {Qt::CTRL | Qt::Key_D, 40021},
    {Qt::CTRL | Qt::Key_I, 40022},
    {QKeyCombination(Qt::Key_Delete), 40024},
    {Qt::CTRL | Qt::Key_Z, 40026},
    {Qt::CTRL | Qt::Key_Y, 40028},
    {QKeyCombination(Qt::Key_T), 40029},
    {Qt::KeypadModifier | Qt::Key_Enter, 40013},
    {Qt::KeypadModifier | Qt::Key_Delete, 40024},
}};

}  // namespace zef::ui
