#include "MeDlg.h"

#include "DialogFont.h"
#include "DialogKeys.h"
#include "DialogUnits.h"
#include "KeyboardCues.h"
#include "Resources.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTextOption>

#include <iterator>

namespace pelto5 {

namespace {

// A static text line coloured by its parent's answer: the brush fills the
// control and the text stands opaque on its own background.
class ColoredStatic : public QLabel {
public:
    ColoredStatic(QWidget* parent, int id, const QString& text, const QRect& rect)
        : QLabel(text, parent), m_nId(id) {
        setGeometry(rect);
        setProperty("id", id);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        const auto* answer = dynamic_cast<const ControlColorAnswer*>(parentWidget());
        const std::optional<ControlColors> colors = answer ? answer->CtlColor(m_nId) : std::nullopt;
        if (!colors) {
            QLabel::paintEvent(event);
            return;
        }
        QPainter painter(this);
        painter.setFont(font());
        // Centred and wrapped as a static control's text is; a blank at the
        // end belongs to the line and takes its place in the centring.
        QTextOption option(Qt::AlignHCenter | Qt::AlignTop);
        option.setWrapMode(QTextOption::WordWrap);
        option.setFlags(QTextOption::IncludeTrailingSpaces);
        painter.fillRect(rect(), ToQColor(colors->brush));
        painter.fillRect(painter.boundingRect(QRectF(rect()), text(), option),
                         ToQColor(colors->textBack));
        painter.setPen(ToQColor(colors->text));
        painter.drawText(QRectF(rect()), text(), option);
    }

private:
    int m_nId;
};

// A frame bitmap: takes its picture's size, keeps its top-left corner, lets the mouse through.
QLabel* AddFrameBitmap(QWidget* parent, int bitmapId) {
    auto* label = new QLabel(parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    const QImage image = ResourceBitmap(bitmapId);
    if (!image.isNull()) {
        label->setPixmap(QPixmap::fromImage(image));
        label->setGeometry(QRect(QPoint(0, 0), image.size()));
    } else {
        label->setGeometry(0, 0, 0, 0);
    }
    return label;
}

} // namespace

QString MeDlg::SupportMessage() {
    return tr(
        "Well, there is not much to see here yet, so thanks for poking around anyway! Questions "
        "and comments go to author@example.com and I read every one. Now the shameless part: if "
        "this util saved you an evening, please consider sending money, kind words, positive "
        "comments on the forums, or failing that gold, silver, platinum, rubies or shiny jewels "
        "you have lying about. Thanks a lot!");
}

QString MeDlg::DonationAddress() {
    return QStringLiteral("https://www.example.com/cgi-bin/webscr");
}

MeDlg::MeDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(DialogUnitsX(186), DialogUnitsY(143));
    setFont(DialogFont());

    // The controls of template 220, in its order.
    m_edit = new QTextEdit(this);
    m_edit->setProperty("id", kMessageId);
    m_edit->setGeometry(DialogUnitsRect(17, 35, 162, 71));
    m_edit->setReadOnly(true);
    // Read, not selected: no caret and no selection highlight.
    m_edit->setTextInteractionFlags(Qt::NoTextInteraction);
    m_edit->setFrameShape(QFrame::NoFrame);
    m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_edit->setFocusPolicy(Qt::ClickFocus);
    m_edit->setLineWrapMode(QTextEdit::WidgetWidth);
    m_edit->installEventFilter(this);
    m_edit->viewport()->installEventFilter(this);
    QLabel* frame[] = {AddFrameBitmap(this, kFrameBarBitmap),
                       AddFrameBitmap(this, kFrameCrossbarBitmap)};
    m_link = new HyperLink(this, kLinkId, WS_GROUP | SS_CENTER | SS_CENTERIMAGE,
                           tr("-=Please click here, help fund some classes! (or beer)=-"));
    m_link->setGeometry(DialogUnitsRect(13, 127, 172, 9));
    m_appeal1 = new ColoredStatic(this, kAppeal1Id,
                                  tr("If you feel this util is useful, and would like to see "),
                                  DialogUnitsRect(13, 105, 166, 8));
    m_appeal2 =
        new ColoredStatic(this, kAppeal2Id, tr("me continue to produce similar, or better work..."),
                          DialogUnitsRect(13, 115, 166, 8));
    // A template's earlier controls lie over its later ones: the frame's
    // upright bar over its crossbar, joining them in one elbow, and the
    // frame over the text lines' cells where they reach under it.
    QWidget* const templateOrder[] = {m_edit, frame[0], frame[1], m_link, m_appeal1, m_appeal2};
    for (auto it = std::rbegin(templateOrder); it != std::rend(templateOrder); ++it)
        (*it)->raise();

    OnInitDialog();
    // EXIT keeps the focus the dialog opens with; Tab goes on to the link.
    setTabOrder(m_btnExit, m_link);

    setAccessibleName(tr("Support page"));
    m_edit->setAccessibleName(tr("Support message"));
    m_link->setAccessibleName(m_link->text());
    m_link->setAccessibleDescription(tr("Opens the donation page, %1").arg(m_link->GetTarget()));
    m_btnExit->setAccessibleName(tr("EXIT"));
    m_btnExit->setAccessibleDescription(tr("Closes the support page"));
    TrackKeyboardCues(this);
}

void MeDlg::OnInitDialog() {
    UpdateData(false);
    m_crLilac = kLilac;
    m_crOrange = kOrange;
    m_crBack = kBlack;
    CreateExitButton();
    m_strSupport = SupportMessage();
    m_link->SetTarget(DonationAddress());
    UpdateData(false);
}

void MeDlg::CreateExitButton() {
    m_btnExit = new BitmapButton(this, kExitId, QStringLiteral("Cancel"),
                                 QRect(QPoint(210, 26), QSize(64, 29)));
    m_btnExit->LoadBitmaps(kExitFaces.normal, kExitFaces.pressed);
    connect(m_btnExit, &QAbstractButton::clicked, this, &MeDlg::OnExit);
    update();
}

void MeDlg::UpdateData(bool saveAndValidate) {
    if (saveAndValidate) {
        m_strSupport = m_edit->toPlainText();
        return;
    }
    m_edit->setPlainText(m_strSupport);
    m_edit->selectAll();
    m_edit->setAlignment(Qt::AlignRight);
    QTextCursor cursor = m_edit->textCursor();
    cursor.movePosition(QTextCursor::Start);
    m_edit->setTextCursor(cursor);
    if (!m_bLinkBound) {
        m_link->Bind();
        m_bLinkBound = true;
    }
}

std::optional<ControlColors> MeDlg::CtlColor(int id) const {
    if (id == kLinkId)
        return ControlColors{m_crLilac, m_crBack, m_crLilac};
    if (id == kAppeal1Id || id == kAppeal2Id)
        return ControlColors{m_crOrange, m_crBack, m_crOrange};
    return std::nullopt;
}

void MeDlg::OnOK() {
    UpdateData(true);
    done(kIdOk);
}

void MeDlg::keyPressEvent(QKeyEvent* event) {
    if (IsDialogOkKey(event))
        OnOK();
    else
        QDialog::keyPressEvent(event);
}

bool MeDlg::eventFilter(QObject* watched, QEvent* event) {
    // The read-only message never keeps the focus or a caret.
    if (event->type() == QEvent::FocusIn && (watched == m_edit || watched == m_edit->viewport()) &&
        m_btnExit)
        m_btnExit->setFocus(Qt::OtherFocusReason);
    return QDialog::eventFilter(watched, event);
}

} // namespace pelto5
