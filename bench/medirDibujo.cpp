// Medición del dibujo: edificio de 10 x 10 x 9 nudos (900 nudos, 2 240 barras,
// peso propio y dos combos) en la ventana de 1000 x 800, con la cámara girando
// en cada cuadro (o la rueda acercando y alejando). Escribe los ms por cuadro
// de cada dibujo, sin la caché del cuadro y con ella.
//
// Uso (con pantalla, p. ej. xvfb-run -a -s "-screen 0 1280x1024x24"):
//   medir_dibujo [cuadros [dibujo]]
//   medir_dibujo --capturas carpeta   guarda cada dibujo en PPM, de lejos y de
//                                     cerca, para comparar imágenes
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <time.h>
#include <unistd.h>

#include <GL/freeglut.h>
#include <GL/gl.h>

#include "app/zurezar3o.h"
#include "bench/comunMedir.h"
#include "input/funcionLeerArchivo.h"
#include "viewer/comunPlot.h"
#include "viewer/funcionPlot.h"

namespace {

// 9 x 9 vanos y 8 pisos: 10 x 10 x 9 nudos
const edificio modelo{9, 9, 8};

// Escribe el archivo del edificio: columnas rectangulares, vigas W,
// empotrado en la base, peso propio y viento en los nudos de la fachada x = 0
std::string escribirEdificio()
{
    char ruta[] = "/tmp/medir_dibujo_XXXXXX";
    int fd = mkstemp(ruta);
    if (fd < 0) return "";
    close(fd);
    std::FILE* f = std::fopen(ruta, "w");
    if (!f) return "";
    partesEdificio p = escribirGeometria(f, modelo);
    std::vector<int> fachada;
    for (int k = 1; k <= modelo.pisos; k++)
        for (int j = 0; j <= modelo.ny; j++) fachada.push_back(numeroNudo(modelo, 0, j, k));
    std::fputs("\napoyo:\n1 1 1 1 1 1\n", f);
    escribirLista(f, p.base);
    std::fputs("\nseccionRectangular:\nC50\n0.5 0.5 2.5e7 0.2 24\n", f);
    escribirLista(f, p.columnas);
    std::fputs("\nseccionW:\nW450\n0.2 0.015 0.45 0.009 2e8 0.3 78.5\n", f);
    escribirLista(f, p.vigas);
    std::fputs("\npuntual:\nW\n8 0 0 0 0 0\n", f);
    escribirLista(f, fachada);
    std::fputs("\npesoPropio: PP\n", f);
    std::fputs("\ncombo:\nC1 1.2 PP\ncombo:\nC2 1 PP 1 W\n", f);
    escribirAjustes(f);
    std::fclose(f);
    return ruta;
}

struct Dibujo {
    const char* nombre;
    std::vector<int> flagsEncendidos;  // además del estado inicial
    std::vector<int> combos;
    bool zoom = false;  // la rueda acerca y aleja en vez de girar
};

// Un paso de la rueda: cinco hacia el modelo, cinco hacia afuera
void moverRueda(int k)
{
    int boton = (k - 1) / 5 % 2 == 0 ? 3 : 4;
    mouseButton(boton, 0, 500, 400);
    mouseButton(boton, 1, 500, 400);
}

// Gira la cámara como un arrastre con el botón central de 4 píxeles
void girarCamara()
{
    clickCentro = 1;
    clickIzq = 0;
    mouseMove(xLast + 4, yLast + (xLast / 4 % 40 < 20 ? 1 : -1));
}

void ponerEstado(const Dibujo& d)
{
    funcionFlagsInicio();
    flags[flagCalculado] = 1;
    for (int i : d.flagsEncendidos) flags[i] = 1;
    for (int c : d.combos) flags[flagCombos + c] = 1;
    funcionFronteraGraf();
    xLast = yLast = 0;
}

// Texto UTF-8 en una columna de 30 caracteres
void columna(const std::string& texto)
{
    int ancho = 0;
    for (unsigned char c : texto) ancho += (c & 0xC0) != 0x80;
    std::printf("%s%*s", texto.c_str(), std::max(0, 30 - ancho), "");
}

struct Medida {
    double primero = 0;  // ms del primer cuadro (con caché: la grabación)
    double mediana = 0;  // ms de los demás
    double maximo = 0;
    double cpu = 0;      // ms de CPU del hilo principal, mediana
};

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double cpuHiloMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Dibuja los cuadros desde la vista de inicio, girando la cámara entre uno y
// otro; cada cuadro espera a que OpenGL termine
Medida medirDibujo(const Dibujo& d, int cuadros, Cache cache)
{
    using reloj = std::chrono::steady_clock;
    funcionCacheDibujo(cache);
    ponerEstado(d);
    std::vector<double> ms, cpu;
    double m0 = 0;
    for (int k = 0; k < cuadros; k++) {
        if (k > 0 && d.zoom) moverRueda(k);
        if (k > 0 && !d.zoom) girarCamara();
        reloj::time_point inicio = reloj::now();
        double c0 = cpuHiloMs();
        draw();
        glFinish();
        double c1 = cpuHiloMs();
        double t = std::chrono::duration<double, std::milli>(reloj::now() - inicio).count();
        glutMainLoopEvent();
        if (k == 0) {
            m0 = t;
            continue;
        }
        ms.push_back(t);
        cpu.push_back(c1 - c0);
    }
    Medida m;
    m.primero = m0;
    m.mediana = mediana(ms);
    m.maximo = *std::max_element(ms.begin(), ms.end());
    m.cpu = mediana(cpu);
    return m;
}

// Búfer trasero en PPM, fila de arriba primero
void guardarPPM(const std::string& ruta)
{
    int w = glutGet(GLUT_WINDOW_WIDTH), h = glutGet(GLUT_WINDOW_HEIGHT);
    std::vector<unsigned char> px(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    std::ofstream f(ruta, std::ios::binary);
    f << "P6\n" << w << " " << h << "\n255\n";
    for (int fila = h - 1; fila >= 0; fila--) {
        f.write(reinterpret_cast<const char*>(&px[static_cast<size_t>(fila) * w * 3]), w * 3);
    }
}

// Cada dibujo con la caché, desde la vista de inicio girada un poco y desde
// cerca del centro de la caja
void capturar(const std::vector<Dibujo>& dibujos, const std::string& carpeta)
{
    funcionCacheDibujo(Cache::encendida);
    int n = 0;
    for (const Dibujo& d : dibujos) {
        if (d.zoom) continue;
        ponerEstado(d);
        for (int k = 0; k < 10; k++) girarCamara();
        char nombre[16];
        std::snprintf(nombre, sizeof nombre, "%02d", n++);
        for (int vista = 0; vista < 2; vista++) {
            if (vista == 1) {
                for (int k = 0; k < 8; k++) zoomIn();
            }
            funcionDibujarCuadro();
            glFinish();
            guardarPPM(carpeta + "/" + nombre + (vista == 0 ? "_lejos" : "_cerca") + ".ppm");
            glutMainLoopEvent();
        }
        std::printf("%s %s\n", nombre, d.nombre);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    int cuadros = 40;
    std::string carpetaCapturas;
    if (argc > 2 && std::string(argv[1]) == "--capturas") {
        carpetaCapturas = argv[2];
    } else if (argc > 1) {
        cuadros = std::max(2, std::atoi(argv[1]));
    }
    std::string solo = argc > 2 && carpetaCapturas.empty() ? argv[2] : "";

    nombreArchivo = escribirEdificio();
    if (nombreArchivo.empty()) {
        std::fprintf(stderr, "no se pudo escribir el archivo del modelo\n");
        return 1;
    }
    // Las líneas de avance del cargador no interesan aquí
    enSilencio([] { funcionLeerArchivo(); });
    std::remove(nombreArchivo.c_str());

    funcionAbrirVentana(argc, argv, "Tresnal 3D v6.1");
    glutDisplayFunc([] {});
    for (int i = 0; i < 5; i++) glutMainLoopEvent();
    funcionFlagsInicio();
    glEnable(GL_DEPTH_TEST);
    funcionVistaNuevoModelo();
    funcionAplicarProyeccion();

    using reloj = std::chrono::steady_clock;
    reloj::time_point t = reloj::now();
    modificadorFlagsGraf(flagCalculado);
    double tAnalisis = std::chrono::duration<double>(reloj::now() - t).count();
    if (flags[flagCalculado] != 1) {
        std::fprintf(stderr, "el análisis falló: %s\n", mensajeAnalisis.c_str());
        return 1;
    }
    std::printf("\n%d nudos, %d barras, %d combos; ventana %d x %d; análisis %.2f s\n", noNudos,
                noBarras, noCombos, wVentana, hVentana, tAnalisis);

    std::vector<Dibujo> dibujos = {
        {"modelo", {}, {}},
        {"números de nudos y barras", {flagTagNudos, flagTagBarras}, {}},
        {"secciones", {flagSecciones}, {}},
        {"volumen", {flagVolumen}, {}},
    };
    // Cada tipo de resultado con C1; las cargas y las reacciones con C2, el del viento
    for (const TipoResultado& t : tiposResultado) {
        int combo = t.flag == flagCarga || t.flag == flagReacciones ? 1 : 0;
        dibujos.push_back({etiquetaBoton(t.flag), {t.flag}, {combo}});
    }
    dibujos.push_back(
        {"My, dos combos, números", {flagMomentoY, flagTagNudos, flagTagBarras}, {0, 1}});
    dibujos.push_back({"números, con la rueda", {flagTagNudos, flagTagBarras}, {}, true});
    dibujos.push_back({"carga, con la rueda", {flagCarga}, {1}, true});
    if (!carpetaCapturas.empty()) {
        capturar(dibujos, carpetaCapturas);
        return 0;
    }
    std::printf("%d cuadros por dibujo, con la cámara girando en cada uno (o la rueda).\n"
                "ms por cuadro: mediana de todos menos el primero; entre paréntesis, ms de CPU del\n"
                "hilo principal. Con caché, el primer cuadro es el que graba la escena.\n\n",
                cuadros);
    columna("");
    std::printf("%16s | %s\n", "sin caché", "con caché");
    columna("dibujo");
    std::printf("%7s %8s | %9s %7s %8s %8s\n", "ms", "(CPU)", "primero", "ms", "(CPU)", "máximo");
    for (const Dibujo& d : dibujos) {
        if (!solo.empty() && solo != d.nombre) continue;
        Medida sin = medirDibujo(d, cuadros, Cache::apagada);
        Medida con = medirDibujo(d, cuadros, Cache::encendida);
        columna(d.nombre);
        std::printf("%7.1f (%6.1f) | %9.1f %7.1f (%6.1f) %8.1f\n", sin.mediana, sin.cpu,
                    con.primero, con.mediana, con.cpu, con.maximo);
        std::fflush(stdout);
    }
    return 0;
}
