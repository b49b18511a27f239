#include "reports/Unit7.h"

TForm7::TForm7(QWidget* owner, MessageService& messages)
    : ReportWindow(owner, messages, QStringLiteral("Sichtverhältnisse"))
{
    setObjectName(QStringLiteral("Form7"));
}

void TForm7::FormCreate() { CentreOverOwner(); }
