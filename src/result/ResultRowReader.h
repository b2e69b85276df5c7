#pragma once

#include "ResultRow.h"
#include "YearView.h"

#include <QString>
#include <QVector>

class cDao;

/// Reads what a plan window shows of a stored plan: its yearly rows, the scales
/// shared by all plans of its property, its plan type and its name. Every query
/// that fails throws DaoError with the engine's message.
class ResultRowReader
{
public:
    explicit ResultRowReader(cDao &dao);

    /// The plan's T_収支 rows of the years up to the view's last display year,
    /// ordered by 年 (the table lists all of them; the graph marks the display years).
    QVector<ResultRow> rows(int id1, int id2, const YearView &view) const;
    /// MAX/MIN(収支累計), MAX(収入) and MAX(支出) over every plan of the property
    /// within the view's years.
    ResultScales scales(int id1, const YearView &view) const;
    /// The type of a stored plan by the plan table that holds it: 1 D_駐車場,
    /// 2 D_賃貸マンション, 3 D_店舗, looked at in this order; 0 when none does.
    /// For a plan without result rows, whose T_収支 has no TYPE to read.
    int tablePlanType(int id1, int id2) const;
    /// 名称 of the plan in the table of its type ("" without a row); for a type
    /// outside 1 to 3 the property number followed by "データ".
    QString planName(int id1, int id2, int type) const;
    /// The window caption of a plan name: "計画名  [name]".
    static QString caption(const QString &planName);

private:
    bool hasPlanRow(const QString &table, int id1, int id2) const;

    cDao &m_dao;
};
