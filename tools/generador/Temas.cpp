// The notes of the five tunes. Each is an A and a B section played A B A,
// so the loop comes back to the opening phrase.
#include "Musica.h"

#include <string>

namespace {

// General MIDI programs (numbered from 0).
const int PianoElectrico = 4, Celesta = 8, Glockenspiel = 9, CajaMusica = 10, Xilofono = 13,
          Acordeon = 21, BajoDedos = 33, BajoSlap = 36, BajoSintetico = 38, Pizzicato = 45, Cuerdas = 48,
          Trompeta = 56, Tuba = 58, MetalSintetico = 62, Flauta = 73, Cuadrada = 80, Sierra = 81;

Tema Construye(Arreglo a, const std::string& acA, const std::string& acB, const std::string& meA,
               const std::string& meB)
{
    const std::string acordes = acA + " " + acB + " " + acA;
    const std::string melodia = meA + " " + meB + " " + meA;
    a.acordes = acordes.c_str();
    a.melodia = melodia.c_str();
    Tema t;
    if (Arregla(a, t) != 0)
        t.pistas.clear();
    return t;
}

// Menu: a bright theme in C, square lead with glockenspiel on top.
Tema Menu()
{
    Arreglo a{128, 4, Cuadrada, Glockenspiel, PianoElectrico, BajoDedos,
              ArmoniaGolpes, BajoDos, BateriaPolca, nullptr, nullptr};
    return Construye(a, "C Am F G C Am Dm,G C",
                     "F G Em Am F G C,Am Dm,G",
                     "E5q G5q C6q G5q  A5q. G5e E5q C5q  F5q A5q C6q A5q  G5h. Rq "
                     "E5e F5e G5q E5q C5q  A5q C6q B5q A5q  F5q D5q G5q B5q  C6h. Rq",
                     "A5e A5e A5q C6q A5q  B5e B5e B5q D6q B5q  G5q E5q B5q G5q  A5h E5h "
                     "F5e G5e A5e C6e A5q F5q  G5e A5e B5e D6e B5q G5q  E6q C6q A5q C6q  D6h B5q G5q");
}

// Level 1: a brassy march in G over strings.
Tema Nivel0()
{
    Arreglo a{140, 4, Trompeta, Flauta, Cuerdas, BajoDedos,
              ArmoniaSostenida, BajoPaseo, BateriaMarcha, nullptr, nullptr};
    return Construye(a, "G G C D G Em C,D G",
                     "C D Bm Em C D G,Em A7,D",
                     "D5e G5e B5e D6e B5q G5q  A5e B5e A5e G5e D5h  E5e G5e C6e E6e C6q G5q  F#5e G5e A5e B5e A5h "
                     "B5q. A5e G5q D5q  E5q G5q B5q E6q  D6e C6e B5e A5e A5e B5e C6e A5e  G5h G5q Rq",
                     "E6q. D6e C6q G5q  D6q. C6e B5q A5q  B5q D6q F#5q B5q  G5h. E5q "
                     "E5e F#5e G5e A5e C6q E6q  D6e C6e B5e A5e F#5q D5q  G5q B5q E6q D6q  C#6q A5q D6h");
}

// Level 2: a quick, bouncy xylophone tune in F over pizzicato arpeggios.
Tema Nivel1()
{
    Arreglo a{152, 4, Xilofono, -1, Pizzicato, BajoSintetico,
              ArmoniaArpegio, BajoOctavas, BateriaRapida, nullptr, nullptr};
    return Construye(a, "F Bb C F Dm Bb C F",
                     "Bb F C Dm Bb F Gm,C F",
                     "F5e A5e Re C6e Re A5e C6q  D6e Re Bb5e Re D6q F6q  E6e D6e C6e Bb5e G5q E5q  F5q A5e C6e F6h "
                     "D6e Re A5e Re F5q D5q  Bb5e C6e D6e Bb5e F5h  G5e A5e Bb5e C6e E6q C6q  F6q C6q F5h",
                     "D6q F6q D6e C6e Bb5q  C6q A5q F5q A5q  G5e A5e Bb5e G5e E5q C5q  D5e F5e A5e D6e A5q F5q "
                     "Bb5e D6e F6e D6e Bb5q D6q  C6e A5e F5e A5e C6h  Bb5q D6q C6q E6q  F6h. Rq");
}

// Level 3: an ice-skating waltz in D, accordion and music box.
Tema Nivel2()
{
    Arreglo a{168, 3, Acordeon, CajaMusica, Pizzicato, Tuba,
              ArmoniaVals, BajoVals, BateriaVals, nullptr, nullptr};
    return Construye(a, "D D A A A7 A7 D D D D G G D A D D",
                     "G G D D A A D D G G D B7 Em A7 D D",
                     "F#5h A5q  D6h.  C#6h B5q  A5h.  G5h A5q  E6h C#6q  D6h F#5q  A5h. "
                     "F#5q A5q D6q  F#6h D6q  B5q D6q G6q  D6h B5q  A5q F#5q A5q  E6h C#6q  D6h.  D6q A5q F#5q",
                     "B5h D6q  G6h.  F#6q E6q D6q  A5h.  C#6q D6q E6q  A6h E6q  F#6q E6q D6q  D6h. "
                     "B5q C#6q D6q  G6h D6q  F#6q A6q F#6q  D#6h B5q  E6q G6q E6q  C#6q A5q G5q  F#5q A5q D6q  D6h Rq");
}

// Level 4: the fastest, a synth lead in A with brass stabs.
Tema Nivel3()
{
    Arreglo a{160, 4, Sierra, Celesta, MetalSintetico, BajoSlap,
              ArmoniaGolpes, BajoOctavas, BateriaRapida, nullptr, nullptr};
    return Construye(a, "A E F#m D A E D,E A",
                     "D E C#m F#m D E Bm,E A",
                     "E5e A5e C#6e E6e C#6e A5e E5q  G#5e B5e E6e G#6e E6h  F#6q E6q C#6q A5q  D6e C#6e B5e A5e F#5h "
                     "A5q C#6q E6q. A6e  G#6q F#6q E6q B5q  A5e B5e C#6e D6e E6e F#6e G#6e E6e  A6h E6q A5q",
                     "F#6q. E6e D6q A5q  G#5q. A5e B5q E6q  E6e C#6e G#5e C#6e E6q G#6q  F#6h C#6h "
                     "D6e F#6e A6e F#6e D6q A5q  E6e G#6e B6e G#6e E6q B5q  D6q C#6q B5q G#5q  A5h. Rq");
}

}  // namespace

Tema HazTemaMenu()
{
    return Menu();
}

Tema HazTemaNivel(int n)
{
    switch (n) {
    case 0: return Nivel0();
    case 1: return Nivel1();
    case 2: return Nivel2();
    default: return Nivel3();
    }
}
