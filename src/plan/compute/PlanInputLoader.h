#pragma once

#include "ApartmentPlanInput.h"
#include "ParkingPlanInput.h"

class cDao;

/// Reads the inputs of a stored plan into the projection's input structures: the
/// plan record (D_駐車場 or D_賃貸マンション), the property's site data (D_物件) and
/// the rent and loan rows, either the stored ones or the work copies being edited.
/// Values are taken as stored; the projection converts them. A query that fails
/// throws DaoError.
class PlanInputLoader
{
public:
    enum class Rows { Stored, Work }; ///< D_家賃 / D_借入金, or W_家賃 / W_借入金

    explicit PlanInputLoader(cDao &dao, Rows rows = Rows::Stored);

    /// False when there is no such plan; the input is then unchanged.
    bool loadParking(int id1, int id2, ParkingPlanInput *input);
    bool loadApartment(int id1, int id2, ApartmentPlanInput *input);

    /// The plan's loan rows in 連番 order.
    QVector<LoanRow> loans(int id1, int id2);
    /// The plan's rent rows in タイプ order.
    QVector<RentRow> rents(int id1, int id2);

private:
    cDao &m_dao;
    Rows m_rows;
};
