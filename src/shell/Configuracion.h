// The five user settings and their file "zumbelo.cfg".
#ifndef CONFIGURACION_H
#define CONFIGURACION_H

class Configuracion {
public:
    Configuracion();
    ~Configuracion();

    int Save();

    void ToggleIdioma();
    void ToggleSonido();
    void ToggleWindowed();
    void ToggleSet();
    void SetSpeed();

    bool VerWindowed();
    bool VerSonido();
    int VerIdioma();
    int VerSpeed();
    int SetGraf();  // a getter despite its name: the graphic set

private:
    int idioma;     // 0 Spanish, 1 English
    int set;        // graphic set, 0 or 1
    int speed;      // frame skipping, 0..6
    bool sonido;
    bool windowed;
};

#endif
