#include "app/desktop/AssociationFiles.h"

#include "app/shell/DialogTexts.h"

namespace zef {
namespace {

// Inside double quotes a backslash escapes these four.
std::string Quoted(std::string_view argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
        if (c == '%') {
            quoted += '%';
        }
    }
    return quoted + '"';
}

// The escapes of a string value: backslash and the control characters a line can't hold.
std::string EscapedValue(std::string_view value) {
    std::string escaped;
    for (const char c : value) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string DesktopExecArgument(std::string_view argument) {
    return EscapedValue(Quoted(argument));
}

std::string AssociationDesktopEntryText(std::string_view executable) {
    const std::string exec = "Exec=" + DesktopExecArgument(executable) + " %f\n";
    return std::string(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=제프툴\n") +
           exec +
           "Icon=" ZEF_APP_ID
           "\n"
           "MimeType=" +
           kModelMimeType +
           ";\n"
           "NoDisplay=true\n"
           "StartupWMClass=zeftool\n"
           "Actions=open;\n"
           "\n"
           "[Desktop Action open]\n"
           "Name=" +
           texts::kOpenModelAction + "\n" + exec;
}

}  // namespace zef
