#include "cli/ReportNames.h"

std::string_view StringFormName(TStringForm form)
{
    switch (form) {
    case TStringForm::Byte:
        return "byte";
    case TStringForm::Wide:
        return "wide";
    case TStringForm::Unknown:
        break;
    }
    return "unknown";
}
