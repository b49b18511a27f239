#include "reports/Unit7.h"

TForm7::TForm7(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator)
    : ReportWindow(owner, messages, state, decimalSeparator, QStringLiteral("Sichtverhältnisse"))
{
    setObjectName(QStringLiteral("Form7"));
}

void TForm7::FormCreate() { CentreOverOwner(); }
