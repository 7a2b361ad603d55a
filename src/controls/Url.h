#pragma once
#include <string>

#include "platform/ShellOpen.h"

// The scheme put in front of a link's address.
enum class TURLType { utFile, utFtp, utGopher, utHttp, utHttps, utMailto, utNews, utTelnet, utWais };

// "http://", "mailto:" and so on.
const char* URLPrefixOf(TURLType type);

// A link launcher: an address without its scheme, opened in whatever the
// shell starts for it (a browser, a mail program), without taking the focus.
class TURL {
public:
    explicit TURL(IShellOpen& shell) : Shell(shell) {}

    std::string URL;
    TURLType URLType = TURLType::utHttp;

    // The scheme prefix followed by the address.
    std::string FullAddress() const { return URLPrefixOf(URLType) + URL; }
    // False, and nothing opened, when there is no address; otherwise whether
    // the shell managed to open it.
    bool Open();

private:
    IShellOpen& Shell;
};
