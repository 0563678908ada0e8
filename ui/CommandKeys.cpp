#include "ui/CommandKeys.h"

#include "ui/QtText.h"

namespace zef::ui {

namespace {

Qt::Key QtKeyName(const CommandKey& key) {
    switch (key.name) {
        case KeyName::kCharacter:
            // Qt's letters and digits are their upper-case characters.
            return static_cast<Qt::Key>(key.character);
        case KeyName::kReturn:
            return Qt::Key_Return;
        case KeyName::kEnter:
            return Qt::Key_Enter;
        case KeyName::kDelete:
            return Qt::Key_Delete;
    }
    return Qt::Key_unknown;
}

// As the keyboard labels it: Return is the Enter of the main keys.
QString Label(const CommandKey& key) {
    QString label;
    if (key.ctrl) {
        label += QStringLiteral("Ctrl+");
    }
    if (key.shift) {
        label += QStringLiteral("Shift+");
    }
    switch (key.name) {
        case KeyName::kCharacter:
            return label + QChar::fromLatin1(key.character);
        case KeyName::kReturn:
        case KeyName::kEnter:
            return label + QStringLiteral("Enter");
        case KeyName::kDelete:
            return label + QStringLiteral("Delete");
    }
    return label;
}

}  // namespace

QKeyCombination QtKey(const CommandKey& key) {
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ControlModifier, key.ctrl);
    modifiers.setFlag(Qt::ShiftModifier, key.shift);
    modifiers.setFlag(Qt::KeypadModifier, key.keypad);
    return QKeyCombination(modifiers, QtKeyName(key));
}

QString Tooltip(const Command& command) {
    const QString text = FromUtf8(command.tip.text);
    const std::span<const CommandKey> keys = command.tip.Keys();
    if (keys.empty()) {
        return text;
    }
    return text + FromUtf8(command.tip.keyGap) + QLatin1Char('(') + Label(keys.front()) +
           QLatin1Char(')');
}

}  // namespace zef::ui
