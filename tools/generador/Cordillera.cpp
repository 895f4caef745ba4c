// Mountain ranges and skies for the title and credits pictures.
#include "Cordillera.h"

#include <algorithm>
#include <cmath>

Cordillera::Cordillera(const std::vector<Pico>& p, double b, double n, uint32_t s) : picos(p), base(b), nieve(n), semilla(s) {}

int Cordillera::PicoEn(double x) const
{
    int mejor = 0;
    double alto = 1e9;
    for (size_t k = 0; k < picos.size(); k++) {
        double y = picos[k].y + std::fabs(x - picos[k].x) * picos[k].pendiente;
        if (y < alto) {
            alto = y;
            mejor = static_cast<int>(k);
        }
    }
    return mejor;
}

double Cordillera::Cresta(double x) const
{
    const Pico& p = picos[PicoEn(x)];
    double y = p.y + std::fabs(x - p.x) * p.pendiente;
    // Jagged: broad shoulders and small notches along the ridge.
    y += (Ruido(x, 0, 14, semilla) - 0.5) * 10 + (Ruido(x, 0, 3, semilla + 1) - 0.5) * 3;
    return std::min(y, base + (Ruido(x, 0, 40, semilla + 2) - 0.5) * 12);
}

void Cordillera::Pinta(Lienzo& l, const ColoresMonte& c, int hasta) const
{
    for (int x = 0; x < l.ancho; x++) {
        int arriba = static_cast<int>(std::ceil(Cresta(x + 0.5)));
        for (int y = std::max(0, arriba); y < std::min(hasta, l.alto); y++) {
            const Pico& p = picos[PicoEn(x + 0.5)];
            double bajada = y - p.y;
            // The crest line wanders a little as it comes down from the summit.
            double arista = p.x + (Ruido(x * 0.2, y, 10, semilla + 3) - 0.5) * std::min(30.0, bajada * 0.4);
            bool luz = x < arista;
            // Gullies running down the faces.
            double surco = Ruido(x - (luz ? -1 : 1) * bajada * 0.7, y * 0.15, 5, semilla + 4);
            double linea = p.y + nieve + (Ruido(x, 0, 9, semilla + 5) - 0.5) * nieve * 0.9;
            bool conNieve = y < linea || (surco > 0.62 && y < linea + nieve * 0.8);
            Color col;
            if (conNieve) {
                col = luz ? c.nieveLuz : c.nieveSombra;
                if (surco < 0.3)
                    col = Mezcla(col, c.nieveSombra, 0.5);
            } else {
                col = luz ? c.rocaLuz : c.rocaSombra;
                if (surco > 0.55)
                    col = Mezcla(col, c.rocaSombra, 0.5);
            }
            l.Pon(x, y, PixelTramado(col, x, y));
        }
    }
}

void Cielo(Lienzo& l, const std::vector<Color>& colores, int y0, int y1)
{
    int tramos = static_cast<int>(colores.size()) - 1;
    for (int y = y0; y < y1; y++) {
        double t = static_cast<double>(y - y0) / std::max(1, y1 - 1 - y0) * tramos;
        int k = std::min(tramos - 1, static_cast<int>(t));
        Color c = Mezcla(colores[k], colores[k + 1], t - k);
        for (int x = 0; x < l.ancho; x++)
            l.Pon(x, y, PixelTramado(c, x, y));
    }
}
