// UiText: the Windows-1252 and UTF-8 sides of the core's texts as QString.
#include "app/ui/UiText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

QString FromGameText(const std::string& bytes) {
    const std::string utf8 = DecodeWindows1252(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool ToGameText(const QString& text, std::string& out, Windows1252Fault* fault) {
    const QByteArray utf8 = text.toUtf8();
    return EncodeWindows1252(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), out, fault);
}

QString FromHostText(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToHostText(const QString& text) { return text.toUtf8().toStdString(); }

QString FromDisplayText(const std::string& text) { return FromHostText(DisplayTextAsUtf8(text)); }

QString WithoutCarriageReturns(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString PlainTextOf(const QPlainTextEdit& edit) {
    QString text = edit.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}
