#pragma once

namespace orvo {

// The two tables of time series a model run leaves: the model's own results and the transport
// variables (".trn").
enum class OutputTable { kModel, kTransport };

}  // namespace orvo
