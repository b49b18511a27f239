#include "reports/report_window.h"

#include "platform/form_widgets.h"

#include <QLabel>
#include <QPushButton>

ReportWindow::ReportWindow(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator,
                           const QString& caption)
    : MireltaDialog(owner, messages, caption, kClientWidth, kClientHeight),
      state_(state),
      decimalSeparator_(decimalSeparator)
{
    Button1 = PlaceButton(this, "Button1", QStringLiteral("Ok"), 88, 275, 121, 25);
    Button1->setStatusTip(QStringLiteral("Zurück zum Programm"));
    OnClick(Button1, &ReportWindow::Button1Click);
    SetKeyButtons(Button1);
}

void ReportWindow::Button1Click() { LeaveDialog(); }

QLabel* PlaceCaption(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    QLabel* label = PlaceLabel(parent, name, text, x, y);
    label->setFont(FormFont(label->font().pixelSize(), true));
    label->adjustSize();
    return label;
}

QLabel* PlaceGreekLetter(QWidget* parent, const char* name, const QString& letter, const QLabel* caption, int y)
{
    constexpr int kGreekLetterPixels = 16;
    const QString gap = QStringLiteral("    ");
    QLabel* label = PlaceLabel(parent, name, letter, 0, y);
    label->setFont(FormFont(kGreekLetterPixels, true));
    label->adjustSize();

    const QFontMetrics captionMetrics = caption->fontMetrics();
    const int gapStart =
        caption->x() + captionMetrics.horizontalAdvance(caption->text().left(caption->text().indexOf(gap)));
    const int spare = captionMetrics.horizontalAdvance(gap) - label->fontMetrics().horizontalAdvance(letter);
    label->move(gapStart + spare / 2, y);
    return label;
}

QLabel* PlaceRightAlignedValue(QWidget* parent, const char* name, int x, int y, int width)
{
    QLabel* label = PlaceValueLabel(parent, name, x, y, width);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLabel* PlaceTextLine(QWidget* parent, const char* name, int x, int y, int width)
{
    QLabel* label = PlaceLabel(parent, name, QString(), x, y);
    label->setGeometry(x, y, width, label->fontMetrics().height());
    return label;
}

void ExplainAzimuth(QLabel* caption, QLabel* value)
{
    const QString hint = QString::fromUtf8(kAzimuthCounting.data(), static_cast<qsizetype>(kAzimuthCounting.size()));
    caption->setStatusTip(hint);
    value->setStatusTip(hint);
}

void SetText(QLabel* label, std::string_view text)
{
    label->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void SetFittedText(QLabel* label, std::string_view text)
{
    // Condensed by a few percent at a time, never below 80 % of the width.
    constexpr int kNarrowest = 80;
    constexpr int kStep = 2;
    SetText(label, text);
    QFont font = label->font();
    for (int stretch = QFont::Unstretched; stretch >= kNarrowest; stretch -= kStep) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(label->text()) <= label->width()) break;
    }
    label->setFont(font);
}

HeadingLabels HeadingLabels::Place(QWidget* parent)
{
    constexpr int kLeft = 16;
    constexpr int kRightMargin = 2;
    const int width = parent->width() - kLeft - kRightMargin;
    return {PlaceTextLine(parent, "Label1", kLeft, 8, width), PlaceTextLine(parent, "Label2", kLeft, 24, width),
            PlaceTextLine(parent, "Label3", kLeft, 40, width)};
}

void HeadingLabels::Show(const ReportHeading& heading) const
{
    SetFittedText(date, heading.date);
    SetFittedText(site, heading.site);
    SetFittedText(coordinates, heading.coordinates);
}
