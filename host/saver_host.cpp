#include "host/saver_host.h"

namespace scintle {

SaverHostState saverHost;

}  // namespace scintle
