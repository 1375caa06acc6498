// The render scale and the light read from the command line.
#include "game/app/RenderOptions.h"

namespace {
// The light's value after --light, as "--light VALUE" or "--light=VALUE"; false with error set
// when it is none of the three.
bool readLight(const QString& value, ViewLight& light, QString& error) {
    if (value == QLatin1String("night"))
        light = ViewLight::Night;
    else if (value == QLatin1String("classic"))
        light = ViewLight::Classic;
    else if (value == QLatin1String("bright"))
        light = ViewLight::Bright;
    else
        error = QStringLiteral("not a light (night, classic or bright): %1").arg(value);
    return error.isEmpty();
}
} // namespace

RenderOptions RenderOptions::parse(const QStringList& arguments) {
    RenderOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        QString value;
        const QString& a = arguments[i];
        if (a == QLatin1String("--light") || a.startsWith(QLatin1String("--light="))) {
            if (a == QLatin1String("--light") && i + 1 >= arguments.size()) {
                options.error = QStringLiteral("--light needs night, classic or bright");
                return options;
            }
            const QString light = a == QLatin1String("--light") ? arguments[++i] : a.mid(8);
            if (!readLight(light, options.light, options.error))
                return options;
            options.lightGiven = true;
            continue;
        }
        if (a.startsWith(QLatin1String("--render-scale="))) {
            value = a.mid(a.indexOf('=') + 1);
        } else if (a == QLatin1String("--render-scale")) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("--render-scale needs auto or a scale");
                return options;
            }
            value = arguments[++i];
        } else {
            continue; // the network's options and Qt's own are read elsewhere
        }
        options.scaleGiven = true;
        if (value == QLatin1String("auto")) {
            options.automatic = true;
            continue;
        }
        bool ok = false;
        const double scale = value.toDouble(&ok);
        if (!ok || !(scale >= 0.25 && scale <= 1.0)) {
            options.error =
                QStringLiteral("not a render scale (auto, or 0.25 to 1): %1").arg(value);
            return options;
        }
        options.automatic = false;
        options.scale = scale;
    }
    return options;
}
