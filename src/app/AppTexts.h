#pragma once

#include <QLatin1String>

// Texts of the program body, the main window and the About box.
namespace velmora::app::texts {

inline constexpr QLatin1String ProductName{"Velmora"};
inline constexpr QLatin1String MakerName{"Velmora"};
inline constexpr QLatin1String MakerNotice{"Copyright (C) 2026 Velmora"};
inline constexpr QLatin1String MakerWebsite{"https://velmora.example.org"};
inline constexpr QLatin1String TechSupportAddress{"velmora-support@example.org"};
inline constexpr QLatin1String SalesAddress{"velmora-sales@example.org"};
inline constexpr QLatin1String MailTo{"mailto:"};
inline constexpr QLatin1String VersionPrefix{"Version "};
inline constexpr QLatin1String SaveDefaultExt{"avi"};

struct Product
{
    QLatin1String name;
    QLatin1String page;
};
inline constexpr Product Products[] = {
    {QLatin1String("Velmora Splitter - cut long videos into parts"), QLatin1String("https://velmora.example.org/splitter")},
    {QLatin1String("Velmora Converter - change a video's format"), QLatin1String("https://velmora.example.org/converter")},
    {QLatin1String("Velmora Snapshot - pictures from your videos"), QLatin1String("https://velmora.example.org/snapshot")},
};

} // namespace velmora::app::texts
