#include "ui/mnemonic_label.h"

#include <QPainter>
#include <QStyle>

namespace namenswerk {

MnemonicLabel::MnemonicLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void MnemonicLabel::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), int(alignment()) | Qt::TextShowMnemonic,
                          palette(), isEnabled(), text(), foregroundRole());
}

} // namespace namenswerk
