#include "reports/Unit5.h"

TForm5::TForm5(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator)
    : ReportWindow(owner, messages, state, decimalSeparator, QStringLiteral("Mondposition"))
{
    setObjectName(QStringLiteral("Form5"));
}

void TForm5::FormCreate() { CentreOverOwner(); }
