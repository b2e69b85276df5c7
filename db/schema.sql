-- Vanrek database schema (SQLite).
-- Applied once, to a new empty database file DB/Vanrek.mdb; masters.sql follows it.
--
-- Conventions
--   * Keys (ID1 property number, ID2 plan number 1..20, 年 plan year 1..75,
--     連番, ID) are 32-bit whole numbers: INTEGER.
--   * Money is stored as whole thousand yen: INTEGER.
--   * Areas, rates and percentages keep their decimals: REAL.
--   * The original column type is noted as Long / Integer / Double / Text.
--   * Column order matters: several statements insert without a column list
--     or copy rows with SELECT *, so do not reorder columns.
--   * Every field is nullable: an empty input box is stored as NULL.

------------------------------------------------------------------------------
-- Properties. Rows are only ever inserted (next ID1 = MAX(ID1) + 1) or
-- deleted; the property list reads them in natural (ID1) order.
------------------------------------------------------------------------------
CREATE TABLE D_物件 (
    ID1             INTEGER PRIMARY KEY,   -- Long: property number
    物件名          TEXT,                  -- Text: property name (up to 30 chars)
    敷地面積        REAL,                  -- Double: site area, m2
    評価額          INTEGER,               -- Long: assessed land value per m2, thousand yen
    固定資産税税率  REAL,                  -- Double: land fixed-asset tax rate, %
    都市計画税税率  REAL                   -- Double: land city-planning tax rate, %
);

------------------------------------------------------------------------------
-- Parking plan (plan type 1): one row per plan.
------------------------------------------------------------------------------
CREATE TABLE D_駐車場 (
    ID1     INTEGER NOT NULL,   -- Long: property number
    ID2     INTEGER NOT NULL,   -- Long: plan number 1..20
    名称    TEXT,               -- Text: plan name
    料金1   REAL,               -- Double: site area needed per car, m2
    料金2   INTEGER,            -- Long: number of cars
    料金3   INTEGER,            -- Long: monthly fee per car, thousand yen
    予算1   INTEGER,            -- Long: paving cost, thousand yen
    予算2   INTEGER,            -- Long: its consumption tax, thousand yen
    予算3   INTEGER,            -- Long: other costs, thousand yen
    予算4   INTEGER,            -- Long: budget total, thousand yen
    計画1   REAL,               -- Double: vacancy rate, %
    計画2   INTEGER,            -- Long: land value rises every N years
    計画3   REAL,               -- Double: land value rise, %
    計画4   INTEGER,            -- Long: fee rises every N years
    計画5   REAL,               -- Double: fee rise, %
    資金1   INTEGER,            -- Long: own funds, thousand yen
    PRIMARY KEY (ID1, ID2)
);

------------------------------------------------------------------------------
-- Apartment plan (plan type 2): one row per plan, 42 fields.
-- Combo-box fields (建物1, 減価1, 減価6) hold the zero-based list index.
------------------------------------------------------------------------------
CREATE TABLE D_賃貸マンション (
    ID1       INTEGER NOT NULL, -- Long: property number
    ID2       INTEGER NOT NULL, -- Long: plan number 1..20
    名称      TEXT,             -- Text: plan name
    建物1     INTEGER,          -- Long: structure index 0..5
    建物2     INTEGER,          -- Long: number of buildings
    建物3     INTEGER,          -- Long: number of dwellings
    建物4     INTEGER,          -- Long: number of storeys
    建物5     REAL,             -- Double: floor area, m2
    建物6     INTEGER,          -- Long: building assessed value per m2, thousand yen
    建物7     REAL,             -- Double: building fixed-asset tax rate, %
    建物8     REAL,             -- Double: building city-planning tax rate, %
    建物9     INTEGER,          -- Long: mid/high-rise fire-resistant check box, 0/1
    予算1     INTEGER,          -- Long: construction contract amount, thousand yen
    予算2     INTEGER,          -- Long: consumption tax
    予算3     INTEGER,          -- Long: water connection charge
    予算4     INTEGER,          -- Long: discharge contribution
    予算5     INTEGER,          -- Long: stamp duty
    予算6     INTEGER,          -- Long: acquisition tax
    予算7     INTEGER,          -- Long: fire insurance premium
    予算8     INTEGER,          -- Long: registration costs
    予算9     INTEGER,          -- Long: guarantee fee
    予算10    INTEGER,          -- Long: interest during construction
    予算11    INTEGER,          -- Long: other costs
    予算12    INTEGER,          -- Long: total construction budget
    資金1     INTEGER,          -- Long: own funds, thousand yen
    資金2     INTEGER,          -- Long: deposits used as funds, thousand yen
    減価1     INTEGER,          -- Long: depreciation method index (0 定率法, 1 定額法)
    減価2     INTEGER,          -- Long: useful life, years
    減価3     REAL,             -- Double: depreciation rate, %
    減価4     INTEGER,          -- Long: depreciable amount, thousand yen
    減価5     INTEGER,          -- Long: residual value, thousand yen
    減価6     INTEGER,          -- Long: accelerated depreciation index (0 行う, 1 行わない)
    計画1     REAL,             -- Double: vacancy rate, %
    計画2     REAL,             -- Double: tenant turnover per year, %
    計画3     INTEGER,          -- Long: rents rise up to this plan year
    計画4     INTEGER,          -- Long: rent rises every N years
    計画5     REAL,             -- Double: rent rise per step, %
    計画6     INTEGER,          -- Long: land value rises every N years
    計画7     REAL,             -- Double: land value rise per step, %
    計画8     INTEGER,          -- Long: repair cost per tenant turnover, thousand yen
    計画9     REAL,             -- Double: upkeep as a share of income, %
    火災保険  INTEGER,          -- Long: fire insurance period, years
    PRIMARY KEY (ID1, ID2)
);

------------------------------------------------------------------------------
-- Store plan (plan type 3): only its title is kept; there is no entry form.
------------------------------------------------------------------------------
CREATE TABLE D_店舗 (
    ID1   INTEGER NOT NULL,     -- Long: property number
    ID2   INTEGER NOT NULL,     -- Long: plan number 1..20
    名称  TEXT,                 -- Text: plan name
    PRIMARY KEY (ID1, ID2)
);

------------------------------------------------------------------------------
-- Rent rows of an apartment plan, one per dwelling type (at most 5).
-- W_家賃 is the work copy edited while the entry form is open; D_家賃 is the
-- stored copy. Rows move between them with INSERT ... SELECT *, so both
-- tables must keep exactly the same columns in the same order.
------------------------------------------------------------------------------
CREATE TABLE W_家賃 (
    ID1       INTEGER,          -- Long: property number
    ID2       INTEGER,          -- Long: plan number
    タイプ    TEXT,             -- Text: type letter "A".."E"
    間取り    TEXT,             -- Text: floor plan
    専有面積  REAL,             -- Double: floor area per dwelling, m2
    世帯数    INTEGER,          -- Long: dwellings of this type
    駐車台数  INTEGER,          -- Long: parking spaces
    月家賃    INTEGER,          -- Long: monthly rent per dwelling, thousand yen
    月共益費  INTEGER,          -- Long: monthly common charge per dwelling, thousand yen
    月駐車料  INTEGER,          -- Long: monthly parking fee per dwelling, thousand yen
    敷金      INTEGER           -- Long: deposit per dwelling, thousand yen
);
-- No unique key on the work copy: its rows are re-lettered one at a time
-- through an updatable record set; uniqueness is enforced on D_家賃.
CREATE INDEX W_家賃_plan ON W_家賃 (ID1, ID2, タイプ);

CREATE TABLE D_家賃 (
    ID1       INTEGER NOT NULL, -- Long: property number
    ID2       INTEGER NOT NULL, -- Long: plan number
    タイプ    TEXT    NOT NULL, -- Text: type letter "A".."E"
    間取り    TEXT,             -- Text: floor plan
    専有面積  REAL,             -- Double: floor area per dwelling, m2
    世帯数    INTEGER,          -- Long: dwellings of this type
    駐車台数  INTEGER,          -- Long: parking spaces
    月家賃    INTEGER,          -- Long: monthly rent per dwelling, thousand yen
    月共益費  INTEGER,          -- Long: monthly common charge per dwelling, thousand yen
    月駐車料  INTEGER,          -- Long: monthly parking fee per dwelling, thousand yen
    敷金      INTEGER,          -- Long: deposit per dwelling, thousand yen
    PRIMARY KEY (ID1, ID2, タイプ)
);

------------------------------------------------------------------------------
-- Loan rows of a plan (parking or apartment), at most 3.
-- Same work/stored pairing as the rent rows: identical column order.
-- A loan with a single rate keeps 返済開始2, 返済終了2 and 金利2 NULL.
------------------------------------------------------------------------------
CREATE TABLE W_借入金 (
    ID1         INTEGER,        -- Long: property number
    ID2         INTEGER,        -- Long: plan number
    連番        INTEGER,        -- Long: loan number 1..3
    借入先名称  TEXT,           -- Text: lender
    借入金額    INTEGER,        -- Long: loan amount, thousand yen
    返済方式    INTEGER,        -- Long: repayment method, see K_返済方式
    返済開始1   INTEGER,        -- Long: first year of rate period 1 (always 1)
    返済終了1   INTEGER,        -- Long: last year of rate period 1
    金利1       REAL,           -- Double: annual rate of period 1, %
    返済開始2   INTEGER,        -- Long: first year of rate period 2, or NULL
    返済終了2   INTEGER,        -- Long: last year of rate period 2, or NULL
    金利2       REAL,           -- Double: annual rate of period 2, %, or NULL
    返済期間    INTEGER         -- Long: repayment term, years
);
-- No unique key on the work copy: its rows are renumbered one at a time
-- through an updatable record set; uniqueness is enforced on D_借入金.
CREATE INDEX W_借入金_plan ON W_借入金 (ID1, ID2, 連番);

CREATE TABLE D_借入金 (
    ID1         INTEGER NOT NULL, -- Long: property number
    ID2         INTEGER NOT NULL, -- Long: plan number
    連番        INTEGER NOT NULL, -- Long: loan number 1..3
    借入先名称  TEXT,             -- Text: lender
    借入金額    INTEGER,          -- Long: loan amount, thousand yen
    返済方式    INTEGER,          -- Long: repayment method, see K_返済方式
    返済開始1   INTEGER,          -- Long: first year of rate period 1 (always 1)
    返済終了1   INTEGER,          -- Long: last year of rate period 1
    金利1       REAL,             -- Double: annual rate of period 1, %
    返済開始2   INTEGER,          -- Long: first year of rate period 2, or NULL
    返済終了2   INTEGER,          -- Long: last year of rate period 2, or NULL
    金利2       REAL,             -- Double: annual rate of period 2, %, or NULL
    返済期間    INTEGER,          -- Long: repayment term, years
    PRIMARY KEY (ID1, ID2, 連番)
);

------------------------------------------------------------------------------
-- Computed results: one row per plan and year 1..75, replaced whole on every
-- registration (delete the plan's rows, then insert 75 years).
-- All amounts are whole thousand yen (Long).
------------------------------------------------------------------------------
CREATE TABLE T_収支 (
    ID1       INTEGER NOT NULL, -- Long: property number
    ID2       INTEGER NOT NULL, -- Long: plan number
    年        INTEGER NOT NULL, -- Long: plan year 1..75
    TYPE      INTEGER,          -- Long: plan type 1 parking, 2 apartment, 3 store
    収入      INTEGER,          -- Long: income
    支出      INTEGER,          -- Long: cash expenditure
    収支累計  INTEGER,          -- Long: running balance
    PRIMARY KEY (ID1, ID2, 年)
);

-- Cash-flow plan. Items a plan type does not use stay NULL
-- (parking: 収入2, 支出4; both types: 収入3..9, 支出5..9).
CREATE TABLE T_収支計画 (
    ID1     INTEGER NOT NULL,   -- Long: property number
    ID2     INTEGER NOT NULL,   -- Long: plan number
    年      INTEGER NOT NULL,   -- Long: plan year 1..75
    収入1   INTEGER,            -- rent income (parking: parking income)
    収入2   INTEGER,            -- parking income (apartment only)
    収入3   INTEGER,
    収入4   INTEGER,
    収入5   INTEGER,
    収入6   INTEGER,
    収入7   INTEGER,
    収入8   INTEGER,
    収入9   INTEGER,
    収入計  INTEGER,            -- total income
    支出1   INTEGER,            -- principal + interest
    支出2   INTEGER,            -- repairs + upkeep (parking: land taxes)
    支出3   INTEGER,            -- building taxes (parking: first-year cost, not in 支出計)
    支出4   INTEGER,            -- land taxes (apartment only)
    支出5   INTEGER,
    支出6   INTEGER,
    支出7   INTEGER,
    支出8   INTEGER,
    支出9   INTEGER,
    支出計  INTEGER,            -- total cash expenditure
    累計    INTEGER,            -- running balance
    PRIMARY KEY (ID1, ID2, 年)
);

-- Profit and loss. Items a plan type does not use stay NULL
-- (parking: 収入2, 支出4..6; both types: 収入3..9, 支出7..9).
CREATE TABLE T_損益計算 (
    ID1     INTEGER NOT NULL,   -- Long: property number
    ID2     INTEGER NOT NULL,   -- Long: plan number
    年      INTEGER NOT NULL,   -- Long: plan year 1..75
    収入1   INTEGER,            -- rent income (parking: parking income)
    収入2   INTEGER,            -- parking income (apartment only)
    収入3   INTEGER,
    収入4   INTEGER,
    収入5   INTEGER,
    収入6   INTEGER,
    収入7   INTEGER,
    収入8   INTEGER,
    収入9   INTEGER,
    収入計  INTEGER,            -- total income
    支出1   INTEGER,            -- depreciation (parking: interest)
    支出2   INTEGER,            -- interest (parking: land taxes)
    支出3   INTEGER,            -- repairs + upkeep (parking: first-year cost)
    支出4   INTEGER,            -- building taxes (apartment only)
    支出5   INTEGER,            -- land taxes (apartment only)
    支出6   INTEGER,            -- other costs (apartment only)
    支出7   INTEGER,
    支出8   INTEGER,
    支出9   INTEGER,
    支出計  INTEGER,            -- total expenses
    PRIMARY KEY (ID1, ID2, 年)
);

------------------------------------------------------------------------------
-- Read-only masters, filled by masters.sql.
------------------------------------------------------------------------------

-- Depreciation rates by useful life; the rate columns are named after the
-- method texts of the entry form, which select the column to read.
-- Rates are fractions (0.1 = 10 %).
CREATE TABLE M_償却 (
    償却年数  INTEGER PRIMARY KEY,  -- Long: useful life, years
    定率法    REAL,                 -- Double: declining-balance rate
    定額法    REAL                  -- Double: straight-line rate
);

-- Repayment methods; ID is the code stored in 借入金.返済方式.
CREATE TABLE K_返済方式 (
    ID    INTEGER PRIMARY KEY,      -- Long: method code
    名称  TEXT                      -- Text: name as printed
);

------------------------------------------------------------------------------
-- Printer setting per report name (columns in the order the editor writes
-- them). New ID = MAX(ID) + 1, kept within 1..32767. Report-name uniqueness
-- is checked by the editor, not by the table.
------------------------------------------------------------------------------
CREATE TABLE M_Printer (
    ID             INTEGER PRIMARY KEY, -- Integer: row key 1..32767
    ReportName     TEXT,                -- Text: report name, or "(標準プリンタ設定)"
    PrinterNameNT  TEXT,                -- Text: printer device name (NT family)
    PrinterPortNT  TEXT,                -- Text: printer port (NT family)
    PrinterName9x  TEXT,                -- Text: printer device name (other systems)
    PrinterPort9x  TEXT,                -- Text: printer port (other systems)
    PaperSize      INTEGER,             -- Integer: paper size code, 0 = not set
    PaperDirect    INTEGER,             -- Integer: 1 portrait, 2 landscape, 0 = not set
    PaperBin       INTEGER,             -- Integer: paper bin code, 0 = not set
    PrintMode      INTEGER,             -- Integer: 0 選択, 1 印刷, 2 プレビュー, 3 選択+PDF, 4 全て, 9 確認なし
    Memo           TEXT,                -- Text: remark
    Kind           INTEGER              -- Integer: print class, 1
);
-- The print job looks rows up by class and report name.
CREATE INDEX M_Printer_report ON M_Printer (Kind, ReportName);
