#include "web/query_options.h"

#include <vector>

#include "settings/option_layer.h"
#include "settings/setting_table.h"

namespace scintle {

namespace {

WebQuery* Query(void* target) { return static_cast<WebQuery*>(target); }

bool ApplySize(void* target, const OptionValue& value, std::string*) {
    Query(target)->width = value.width;
    Query(target)->height = value.height;
    return true;
}

const std::vector<FrontOption> kQueryOwn = {
    {"seed", ValueKind::kNumber, "S", "",
     [](void* t, const OptionValue& v, std::string*) {
         Query(t)->seeded = true;
         Query(t)->seed = static_cast<uint32_t>(v.number);
         return true;
     },
     0, 0xFFFFFFFF, true},
    {"size", ValueKind::kSize, "WxH", "", ApplySize},
    {"geometry", ValueKind::kSize, "WxH", "", ApplySize},
};

}  // namespace

WebQuery EmptyQuery() {
    WebQuery query;
    query.settings = DefaultRecord();
    return query;
}

bool ApplyQueryOption(const std::string& name, const std::string& value, WebQuery* query,
                      std::string* error) {
    const OptionTable table = {nullptr, kQueryOwn, SettingNames::kBoth};
    return ApplyOptionPair(name, value, table, query, &query->settings, error);
}

bool FinishQuery(WebQuery* query, std::string* error) {
    return FinishSettings(&query->settings, OptionStyle::kQuery, true, error);
}

}  // namespace scintle
