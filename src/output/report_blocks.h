#pragma once
// The blocks text reports are built from: the heading, the closing rule, the statistics
// block, the elapsed-time block of the pair differences and the regression block. Each
// returns its text; the report writer sends it to the route's file. Line ends are "\n".
#include <string>
#include <string_view>

#include "output/report_inputs.h"

namespace qv {

// "  " title [", CHANNEL" ch ":  " label], line end; then (not for codes 43 and 44) the cases
// line of the block with its elapsed time, left open for the report's next text.
std::string PrintHeading(const ReportInputs& in, bool withChannel, std::string_view title);

// 80 em dashes and a line end.
std::string PRINTLINE();

// The clock times of the result (not for codes 43 and 44), mean and N, S.D., C.V. and S.E.
// (more than 2 cases), range and integrated total; for code 44 the elapsed-time block too.
std::string PRINTbSTATS(const ReportInputs& in);

// Mean, S.D., C.V., S.E., range and total of the time differences of clicked pairs.
std::string PRINTtSTATS(const ReportInputs& in);

// Clock times of the block, the model, a and b, n and r², and the two slope probabilities.
std::string PRINTrSTATS(const ReportInputs& in);

// The integrated total of the statistics report, as the statistics window shows it: the sum
// of the scaled values times interval / the unit's seconds (codes 43 and 44: the plain sum).
std::string reportIntegratedTotal(const ReportInputs& in);

}  // namespace qv
