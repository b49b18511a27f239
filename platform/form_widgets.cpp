#include "platform/form_widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace {

// Rewrites whatever reaches the field (typing, pasting, setText) as one
// line; QLineEdit takes the text a validator leaves behind.
class OneLineValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override
    {
        QString cleaned = OneLineText(input);
        if (cleaned != input) {
            position = static_cast<int>(OneLineText(input.left(position)).size());
            input = cleaned;
        }
        return Acceptable;
    }
};

constexpr int kFormFontPixels = 11;

QFont MakeFont(const QString& family, int pixelSize, bool bold, bool italic)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace

QFont FormFont() { return FormFont(kFormFontPixels); }

QFont FormFont(int pixelSize, bool bold, bool italic)
{
    return MakeFont(QStringLiteral("Liberation Sans"), pixelSize, bold, italic);
}

QFont NoteFont(int pixelSize, bool bold, bool italic)
{
    return MakeFont(QStringLiteral("Liberation Sans"), pixelSize, bold, italic);
}

QFont FixedFont(int pixelSize) { return MakeFont(QStringLiteral("Liberation Mono"), pixelSize, false, false); }

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(FormFont());
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel* PlaceValueLabel(QWidget* parent, const char* name, int x, int y, int width)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(FormFont());
    label->setGeometry(x, y, width, label->fontMetrics().height());
    SetLabelStyle(label, kValueColour, false);
    return label;
}

QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(FormFont());
    button->setGeometry(x, y, w, h);
    return button;
}

QLineEdit* PlaceEdit(QWidget* parent, const char* name, int x, int y, int w, int h, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFont(FormFont());
    edit->setGeometry(x, y, w, h);
    edit->setMaxLength(maxLength);
    KeepOneLine(edit);
    return edit;
}

void KeepOneLine(QLineEdit* edit) { edit->setValidator(new OneLineValidator(edit)); }

QString OneLineText(const QString& text)
{
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;  // CR LF: one blank
        if (c == u'\r' || c == u'\n' || c == u'\t')
            line += QLatin1Char(' ');
        else if (c >= 0x20 && c != 0x7F)
            line += text[i];
    }
    return line;
}

QGroupBox* PlaceGroup(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h)
{
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(x, y, w, h);
    // Only the caption is bold: the controls placed inside set the form
    // font explicitly, so they do not inherit the bold face.
    group->setFont(FormFont(11, true));
    return group;
}

void SetLabelStyle(QLabel* label, const QColor& colour, bool bold)
{
    // Only the enabled look changes colour; a disabled label stays grey.
    QPalette palette = label->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}
