#pragma once

#include "BitmapButton.h"
#include "HyperLink.h"
#include "ResourceIds.h"

#include <QDialog>
#include <QLabel>
#include <QTextEdit>

namespace pelto5 {

// The support dialog: a message, two appeal lines, the donation link and EXIT.
class MeDlg : public QDialog, public ControlColorAnswer {
    Q_OBJECT

public:
    static constexpr int kMessageId = 1012;
    static constexpr int kLinkId = 1014;
    static constexpr int kAppeal1Id = 1016;
    static constexpr int kAppeal2Id = 1017;
    static constexpr int kExitId = 9210;

    explicit MeDlg(QWidget* parent = nullptr);

    // The dialog colours its link and appeal lines; everything else is left to the defaults.
    std::optional<ControlColors> CtlColor(int id) const override;

    // Copies m_strSupport into the message (false) or back from it (true); the
    // first exchange binds the link.
    void UpdateData(bool saveAndValidate);

    // The cancel command (Esc, or a close from the window manager) ends with the cancel code.
    void reject() override { done(kIdCancel); }

    static QString SupportMessage();
    static QString DonationAddress();

    QString m_strSupport;

    HyperLink& Link() { return *m_link; }
    BitmapButton& ExitButton() { return *m_btnExit; }
    QTextEdit& Message() { return *m_edit; }
    QLabel& AppealLine(int index) { return *(index == 0 ? m_appeal1 : m_appeal2); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void CreateExitButton();
    void OnExit() { done(kIdOk); }
    void OnOK();

    HyperLink* m_link;
    BitmapButton* m_btnExit = nullptr;
    QTextEdit* m_edit;
    QLabel* m_appeal1;
    QLabel* m_appeal2;
    bool m_bLinkBound = false;

    ColorRef m_crLilac = 0;
    ColorRef m_crOrange = 0;
    ColorRef m_crBack = 0;
};

} // namespace pelto5
