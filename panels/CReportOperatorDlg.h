// Asks who makes the service report and for which ticket, once a run; the
// answers are kept per user (HKCU) and offered again the next time.
#pragma once

#include <string>

#include "framework/CDialog.h"

class CReportOperatorDlg : public CDialog {
public:
    explicit CReportOperatorDlg(CWnd* parent);

    std::wstring operatorName;
    std::wstring ticket;

    // The last answers of this user, or empty texts.
    static void Recall(std::wstring& operatorName, std::wstring& ticket);
    static void Remember(const std::wstring& operatorName, const std::wstring& ticket);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
