#pragma once

// The maker's addresses, all in one place.
namespace Maker {
// The web server that holds the site, the downloads and the version-description file.
inline constexpr const char* kWebHost = "www.example.com";
inline constexpr const char* kWebSite = "http://www.example.com";
inline constexpr const char* kDownloadAddress = "http://www.example.com/downloads/quorrel.tar.gz";
inline constexpr const char* kAuthorMail = "mailto:quorrel@example.com";
inline constexpr const char* kUpdatePath = "/Updates/quorrel.xml";
}
