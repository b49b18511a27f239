#include "reports/Unit6.h"

TForm6::TForm6(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator)
    : ReportWindow(owner, messages, state, decimalSeparator, QStringLiteral("Physische Ephemeriden"))
{
    setObjectName(QStringLiteral("Form6"));
}

void TForm6::FormCreate() { CentreOverOwner(); }
