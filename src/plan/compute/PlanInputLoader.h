#pragma once

#include "ApartmentPlanInput.h"
#include "ParkingPlanInput.h"

class cDao;

/// Reads the inputs of a plan into the projection's input structures: the plan
/// record (D_駐車場 or D_賃貸マンション, by its ParkingPlanRecord or ApartmentPlanRecord
/// description), the property's site data (D_物件) and the rent and loan rows, either
/// the stored ones or the work copies being edited. The registration reads the work
/// rows of the plan it stores through it; the tests' fixtures and the benchmarks read
/// stored plans. Values are taken as stored (a list index as the form selects it); the
/// projection converts them. A query that fails throws DaoError.
class PlanInputLoader
{
public:
    enum class Rows { Stored, Work }; ///< D_家賃 / D_借入金, or W_家賃 / W_借入金

    explicit PlanInputLoader(cDao &dao, Rows rows = Rows::Stored);

    /// The whole input of a stored plan. False when there is no such plan; the input
    /// is then unchanged.
    bool loadParking(int id1, int id2, ParkingPlanInput *input);
    bool loadApartment(int id1, int id2, ApartmentPlanInput *input);

    /// The plan's rows into an input: the loans of a parking plan, the rent rows and
    /// the loans of an apartment plan.
    void loadRows(int id1, int id2, ParkingPlanInput &input);
    void loadRows(int id1, int id2, ApartmentPlanInput &input);

    /// The plan's loan rows in 連番 order.
    QVector<LoanRow> loans(int id1, int id2);
    /// The plan's rent rows in タイプ order.
    QVector<RentRow> rents(int id1, int id2);

private:
    template <class Input, class Record> bool load(const Record &record, int id1, int id2, Input *input);

    cDao &m_dao;
    Rows m_rows;
};
