#include "GridCorner.h"

#include "TableModel.h"

#include <QAbstractButton>
#include <QEvent>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableView>

namespace zolvaric {

GridCorner::GridCorner(QTableView *view, TableModel *model) : QObject(view), m_model(model)
{
    m_button = view->findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
    if (!m_button)
        return;
    m_button->installEventFilter(this);
    connect(model, &QAbstractItemModel::modelReset, m_button,
            [button = m_button] { button->update(); });
}

bool GridCorner::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_button || event->type() != QEvent::Paint)
        return false;
    QStyleOptionHeader option;
    option.initFrom(m_button);
    option.rect = m_button->rect();
    option.text = m_model->cornerText();
    option.textAlignment = Qt::AlignRight | Qt::AlignVCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    QStylePainter painter(m_button);
    painter.drawControl(QStyle::CE_Header, option);
    return true;
}

} // namespace zolvaric
