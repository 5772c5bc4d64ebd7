#pragma once

// Addresses and fixed texts of the program in one place: the maker's web
// pages behind the banners and the web link, and the support mailbox.

#include <QString>

namespace qw::app {

inline const QString kApplicationTitle = QStringLiteral("Quiverwise 2011");

inline const QString kMakerSiteUrl = QStringLiteral("https://www.norvane.example/");
inline const QString kMakerSiteCaption = QStringLiteral("www.norvane.example");
inline const QString kSupportMailUrl = QStringLiteral("mailto:techsupport@norvane.example");

// Product pages of the four chart families, opened by the page banners.
inline const QString kHuntingProductsUrl =
    QStringLiteral("https://www.norvane.example/products/hunting");
inline const QString kTargetProductsUrl =
    QStringLiteral("https://www.norvane.example/products/target");
inline const QString kYouthProductsUrl =
    QStringLiteral("https://www.norvane.example/products/youth");
inline const QString kKavelProductsUrl = QStringLiteral("https://www.kavel.example/products/");

// Shipped content, compiled into the program.
inline const QString kSplashPicture = QStringLiteral(":/artwork/splash.jpg");
inline const QString kBannerFolder = QStringLiteral(":/artwork/banners");
inline const QString kTuningTopic = QStringLiteral("qrc:/help/tuning.html");

inline constexpr int kBannerIntervalMs = 20000;
inline constexpr int kBannerWidth = 220;
inline constexpr int kBannerHeight = 120;

} // namespace qw::app
