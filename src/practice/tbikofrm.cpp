#include "tbikofrm.h"

#include "widgets/pointsizes.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr QSize kSize{456, 175};

} // namespace

TBikoFrm::TBikoFrm(QWidget *practiceWindow)
    : QDialog(practiceWindow, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("BikoFrm"));
    setWindowTitle(QStringLiteral("備考"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    auto *layout = new QVBoxLayout(this);
    m_text->setObjectName(QStringLiteral("Memo1"));
    m_text->setAccessibleName(QStringLiteral("備考"));
    m_text->setReadOnly(true);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Three points above the practice window's font.
    QFont font = practiceWindow->font();
    if (font.pixelSize() > 0)
        font.setPixelSize(PixelsOfPoints(PointsOfPixels(font.pixelSize()) + 3));
    else
        font.setPointSizeF(font.pointSizeF() + 3);
    m_text->setFont(font);
    layout->addWidget(m_text, 1);
    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("Button1"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    resize(kSize);
    placeOn(practiceWindow);
}

void TBikoFrm::setRemarks(const QString &text)
{
    m_text->setPlainText(text);
}

QString TBikoFrm::remarks() const
{
    return m_text->toPlainText();
}

// Centred across the practice window, nine tenths of the way down.
void TBikoFrm::placeOn(const QWidget *practiceWindow)
{
    const QRect frame = practiceWindow->frameGeometry();
    move(frame.left() + (frame.width() - kSize.width()) / 2,
         frame.top() + (frame.height() - kSize.height()) * 9 / 10);
}
