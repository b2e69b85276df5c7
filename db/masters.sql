-- Vanrek master rows. Applied once, right after schema.sql, to a new database.


-- Repayment methods: the codes the loan dialog stores in 返済方式.
INSERT INTO K_返済方式 (ID, 名称) VALUES (0, '元利均等');
INSERT INTO K_返済方式 (ID, 名称) VALUES (1, '元金均等');

-- Standard printer setting: used by every report without a row of its own.
-- All codes 0 and no printer name: the report keeps the default printer and
-- the orientation chosen by the caller; the confirmation offers all buttons.
INSERT INTO M_Printer (ID, ReportName, PrinterNameNT, PrinterPortNT, PrinterName9x, PrinterPort9x,
                       PaperSize, PaperDirect, PaperBin, PrintMode, Memo, Kind)
VALUES (1, '(標準プリンタ設定)', NULL, NULL, NULL, NULL, 0, 0, 0, 0, NULL, 1);

-- D_店舗 is delivered empty: store plans have no entry form.

-- Depreciation rates for useful lives 2..100 years: the old statutory rates
-- (assets acquired before April 2007, residual value 10 %), as fractions.
--   定率法 (old declining balance): 1 - 0.1^(1/n) rounded to three decimals;
--          the published table reads one thousandth higher for 24 years
--          (0.092, formula 0.0915) and 34 years (0.066, formula 0.0655).
--   定額法 (old straight line): 1/n to three decimals as published: cut off
--          for lives up to 20 years (6 -> 0.166, 15 -> 0.066), raised to the
--          next thousandth from 21 years on, 1/n first taken to four decimals
--          (22 -> 0.046, 27 -> 0.037, 37 -> 0.027, 47 -> 0.022).
-- No row for lives 0 and 1: the entry form then shows a rate of 0.
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES (  2, 0.684, 0.500);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES (  3, 0.536, 0.333);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES (  4, 0.438, 0.250);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES (  5, 0.369, 0.200);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES (  6, 0.319, 0.166);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES (  7, 0.280, 0.142);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES (  8, 0.250, 0.125);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES (  9, 0.226, 0.111);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 10, 0.206, 0.100);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 11, 0.189, 0.090);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 12, 0.175, 0.083);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 13, 0.162, 0.076);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 14, 0.152, 0.071);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 15, 0.142, 0.066);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 16, 0.134, 0.062);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 17, 0.127, 0.058);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 18, 0.120, 0.055);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 19, 0.114, 0.052);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 20, 0.109, 0.050);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 21, 0.104, 0.048);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 22, 0.099, 0.046);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 23, 0.095, 0.044);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 24, 0.092, 0.042);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 25, 0.088, 0.040);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 26, 0.085, 0.039);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 27, 0.082, 0.037);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 28, 0.079, 0.036);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 29, 0.076, 0.035);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 30, 0.074, 0.034);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 31, 0.072, 0.033);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 32, 0.069, 0.032);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 33, 0.067, 0.031);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 34, 0.066, 0.030);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 35, 0.064, 0.029);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 36, 0.062, 0.028);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 37, 0.060, 0.027);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 38, 0.059, 0.027);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 39, 0.057, 0.026);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 40, 0.056, 0.025);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 41, 0.055, 0.025);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 42, 0.053, 0.024);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 43, 0.052, 0.024);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 44, 0.051, 0.023);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 45, 0.050, 0.023);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 46, 0.049, 0.022);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 47, 0.048, 0.022);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 48, 0.047, 0.021);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 49, 0.046, 0.021);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 50, 0.045, 0.020);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 51, 0.044, 0.020);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 52, 0.043, 0.020);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 53, 0.043, 0.019);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 54, 0.042, 0.019);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 55, 0.041, 0.019);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 56, 0.040, 0.018);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 57, 0.040, 0.018);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 58, 0.039, 0.018);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 59, 0.038, 0.017);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 60, 0.038, 0.017);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 61, 0.037, 0.017);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 62, 0.036, 0.017);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 63, 0.036, 0.016);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 64, 0.035, 0.016);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 65, 0.035, 0.016);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 66, 0.034, 0.016);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 67, 0.034, 0.015);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 68, 0.033, 0.015);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 69, 0.033, 0.015);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 70, 0.032, 0.015);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 71, 0.032, 0.015);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 72, 0.031, 0.014);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 73, 0.031, 0.014);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 74, 0.031, 0.014);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 75, 0.030, 0.014);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 76, 0.030, 0.014);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 77, 0.029, 0.013);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 78, 0.029, 0.013);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 79, 0.029, 0.013);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 80, 0.028, 0.013);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 81, 0.028, 0.013);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 82, 0.028, 0.013);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 83, 0.027, 0.012);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 84, 0.027, 0.012);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 85, 0.027, 0.012);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 86, 0.026, 0.012);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 87, 0.026, 0.012);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 88, 0.026, 0.012);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 89, 0.026, 0.012);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 90, 0.025, 0.012);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 91, 0.025, 0.011);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 92, 0.025, 0.011);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 93, 0.024, 0.011);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 94, 0.024, 0.011);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 95, 0.024, 0.011);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 96, 0.024, 0.011);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 97, 0.023, 0.011);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 98, 0.023, 0.011);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES ( 99, 0.023, 0.011);
INSERT INTO M_償却 (償却年数, 定率法, 定額法) VALUES (100, 0.023, 0.010);

