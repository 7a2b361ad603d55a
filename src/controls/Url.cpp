#include "controls/Url.h"

const char* URLPrefixOf(TURLType type) {
    switch (type) {
        case TURLType::utFile: return "file://";
        case TURLType::utFtp: return "ftp://";
        case TURLType::utGopher: return "gopher://";
        case TURLType::utHttp: return "http://";
        case TURLType::utHttps: return "https://";
        case TURLType::utMailto: return "mailto:";
        case TURLType::utNews: return "news:";
        case TURLType::utTelnet: return "telnet:";
        case TURLType::utWais: return "wais:";
    }
    return "";
}

bool TURL::Open() {
    if (URL.empty()) return false;
    return ShellOpenSucceeded(Shell.Open(FullAddress(), "", kShowNoActivate));
}
