// Primitivas de dibujo: flecha, arco, textos y números con fuente de trazos.
#include <cmath>
#include <cstdio>
#include <cstring>

#include <GL/freeglut.h>
#include <GL/gl.h>

#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"
#include "viewer/elementosPlot.h"

namespace {

// 152.38 unidades de la fuente son h unidades del modelo
const double factorAltura = 0.006562541015881349;
// Avance supuesto por byte, en unidades de la fuente
const double anchoCaracter = 104.76;

// Corrimiento hacia atrás según la alineación (1 izquierda, 2 centro, 3 derecha)
double corrimientoAlineacion(double w, int alineacion)
{
    if (alineacion == 2) return -w / 2;
    if (alineacion == 3) return -w;
    return 0;
}

// Se graba la escena en una lista de OpenGL (caché del cuadro)
bool grabando = false;
// Primera de las 256 listas de las letras; 0 mientras no existan
GLuint listasLetras = 0;
// Listas chicas que la escena grabada llama por nombre y que se rehacen con la
// cámara de cada cuadro: el giro de cara a la cámara y la cabeza de las
// flechas que sigue a la cámara
GLuint listaGiro = 0;
GLuint listaCabeza = 0;
bool listasCamaraHechas = false;
float giroHecho[2] = {0, 0};
float cabezaHecha[2] = {0, 0};

void trazarBytesEnLinea(const char* texto)
{
    for (const char* c = texto; *c != '\0'; c++) {
        glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, static_cast<unsigned char>(*c));
    }
}

// Una lista por byte con el trazo de su letra, hecha una sola vez (fuera de
// una grabación: no se puede hacer una lista dentro de otra)
bool crearListasLetras()
{
    if (listasLetras != 0) return true;
    if (grabando) return false;
    listasLetras = glGenLists(256);
    if (listasLetras == 0) return false;
    char letra[2] = {0, 0};
    for (int b = 1; b < 256; b++) {
        letra[0] = static_cast<char>(b);
        glNewList(listasLetras + static_cast<GLuint>(b), GL_COMPILE);
        trazarBytesEnLinea(letra);
        glEndList();
    }
    return true;
}

// Cada letra se llama de su lista, también desde la escena grabada
void trazarBytes(const char* texto)
{
    if (!crearListasLetras()) {
        trazarBytesEnLinea(texto);
        return;
    }
    glListBase(listasLetras);
    glCallLists(static_cast<GLsizei>(std::strlen(texto)), GL_UNSIGNED_BYTE, texto);
}

// Empuja la matriz, va al punto y escala a la altura pedida
void abrirMarcoTexto(double x, double y, double z, double h)
{
    float s = static_cast<float>(h * factorAltura);
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    glScalef(s, s, s);
    glPushMatrix();
}

void cerrarMarcoTexto()
{
    glPopMatrix();
    glPopMatrix();
}

// Ángulos de la cámara en grados: acimut del ojo visto desde el punto mirado
// y su elevación. Con el ojo justo encima o debajo (dH = 0) se toma el acimut
// de la vista superior (180) y la elevación ±90; sin NaN en ningún caso.
void angulosCamara(double& az, double& el)
{
    double dx = xCam - xCentroObj;
    double dy = yCam - yCentroObj;
    double dz = zCam - zCentroObj;
    double dH = std::pow(dx * dx + dy * dy, 0.5);
    if (!(dH > 0)) {
        az = 180;
        el = dz > 0 ? 90 : (dz < 0 ? -90 : 0);
        return;
    }
    double c = dx / dH;
    if (c > 1) c = 1;
    if (c < -1) c = -1;
    az = std::acos(c) * 180 / PI;
    if (dy < 0) az = -az;
    el = std::atan(dz / dH) * 180 / PI;
}

// Giros del texto de cara a la cámara: (90 + az) sobre z y (90 - el) sobre x
void angulosGiro(float g[2])
{
    double az = 0, el = 0;
    angulosCamara(az, el);
    g[0] = static_cast<float>(90 + az);
    g[1] = static_cast<float>(90 - el);
}

void aplicarGiro(const float g[2])
{
    glRotatef(g[0], 0, 0, 1);
    glRotatef(g[1], 1, 0, 0);
}

// Dentro de una grabación el giro se llama por nombre: la lista de la escena
// vale para cualquier cámara
void girarHaciaCamara()
{
    if (grabando) {
        glCallList(listaGiro);
        return;
    }
    float g[2];
    angulosGiro(g);
    aplicarGiro(g);
}

// Cuatro púas desde la punta: h a lo largo del tallo y h/3 fuera de él
void trazarCabeza(double h)
{
    float hf = static_cast<float>(h);
    float h3 = static_cast<float>(h / 3);
    glBegin(GL_LINES);
    glVertex3f(0, 0, 0);
    glVertex3f(hf, h3, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(hf, -h3, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(hf, 0, h3);
    glVertex3f(0, 0, 0);
    glVertex3f(hf, 0, -h3);
    glEnd();
}

// Tallo y cabeza de tamaño h; la cabeza que sigue a la cámara, dentro de una
// grabación, se llama por nombre
void trazarFlecha(double x1, double y1, double z1, double x2, double y2, double z2, double h,
                  bool cabezaCamara)
{
    double L = std::pow((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2) + (z1 - z2) * (z1 - z2), 0.5);
    glBegin(GL_LINES);
    glVertex3f(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(z1));
    glVertex3f(static_cast<float>(x2), static_cast<float>(y2), static_cast<float>(z2));
    glEnd();
    // Sin largo no hay dirección: solo el tallo (un punto), sin cabeza
    if (!(L > 0) || !std::isfinite(L)) return;
    double sb = (z1 - z2) / L;
    if (sb > 1) sb = 1;
    if (sb < -1) sb = -1;
    double beta = -std::asin(sb);
    double gamma = 0;
    if (std::fabs(beta) != PI / 2) {
        double c = (x1 - x2) / (L * std::cos(beta));
        if (c > 1) c = 1;
        if (c < -1) c = -1;
        gamma = std::acos(c);
    }
    if (y1 - y2 < 0) gamma = -gamma;
    glPushMatrix();
    glTranslatef(static_cast<float>(x2), static_cast<float>(y2), static_cast<float>(z2));
    glRotatef(static_cast<float>(gamma * 180 / PI), 0, 0, 1);
    glRotatef(static_cast<float>(beta * 180 / PI), 0, 1, 0);
    if (cabezaCamara && grabando) {
        glCallList(listaCabeza);
    } else {
        trazarCabeza(h);
    }
    glPopMatrix();
}

using FuncionTexto = void (*)(double, double, double, const char*, double, int);

// Número dibujado con la función de texto dada
void dibujarNumero(FuncionTexto dibujar, double x, double y, double z, double v, int p,
                   char notacion, double h, int alineacion)
{
    dibujar(x, y, z, textoNumero(v, p, notacion).c_str(), h, alineacion);
}

}  // namespace

std::string textoNumero(double v, int p, char notacion)
{
    if (p < 0) p = 0;
    char formato[20];
    const char* plantilla = notacion == 'e' ? "%%.%de" : "%%.%df";
    std::snprintf(formato, sizeof formato, plantilla, p);
    char texto[100];
    std::snprintf(texto, sizeof texto, formato, v);
    // "-0.000" o "-0.000e+00": la mantisa es toda ceros, el signo sobra
    if (texto[0] == '-') {
        const char* c = texto + 1;
        while (*c == '0' || *c == '.') c++;
        if (c > texto + 1 && (*c == '\0' || *c == 'e')) return texto + 1;
    }
    return texto;
}

void drawFlecha(double x1, double y1, double z1, double x2, double y2, double z2, double h)
{
    trazarFlecha(x1, y1, z1, x2, y2, z2, h, false);
}

void drawFlechaCamara(double x1, double y1, double z1, double x2, double y2, double z2)
{
    trazarFlecha(x1, y1, z1, x2, y2, z2, tamanoCabezaCamara(), true);
}

void plotArcoXY(double r, double a0, double a1)
{
    double t0 = a0 * PI / 180;
    double paso = (a1 * PI / 180 - t0) / 10;
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i <= 10; i++) {
        double t = t0 + i * paso;
        glVertex3f(static_cast<float>(r * std::cos(t)), static_cast<float>(r * std::sin(t)), 0.0f);
    }
    glEnd();
}

void drawTextoEscalado(double x, double y, double z, const char* texto, double h, int alineacion)
{
    if (texto == nullptr) return;
    double w = anchoCaracter * static_cast<double>(std::strlen(texto));
    abrirMarcoTexto(x, y, z, h);
    double d = corrimientoAlineacion(w, alineacion);
    if (d != 0) glTranslatef(static_cast<float>(d), 0, 0);
    trazarBytes(texto);
    cerrarMarcoTexto();
}

void drawTextoEscaladoFacing(double x, double y, double z, const char* texto, double h,
                             int alineacion)
{
    if (texto == nullptr) return;
    double w = anchoCaracter * static_cast<double>(std::strlen(texto));
    abrirMarcoTexto(x, y, z, h);
    girarHaciaCamara();
    // Corrimiento ya girado: centra sobre el ancla desde cualquier vista
    double d = corrimientoAlineacion(w, alineacion);
    if (d != 0) glTranslatef(static_cast<float>(d), 0, 0);
    trazarBytes(texto);
    cerrarMarcoTexto();
}

void drawNumFloat(double x, double y, double z, double v, int p, double h, int alineacion)
{
    dibujarNumero(drawTextoEscalado, x, y, z, v, p, 'f', h, alineacion);
}

void drawNumFloatFacing(double x, double y, double z, double v, int p, double h, int alineacion)
{
    dibujarNumero(drawTextoEscaladoFacing, x, y, z, v, p, 'f', h, alineacion);
}

void drawNumSci(double x, double y, double z, double v, int p, double h, int alineacion)
{
    dibujarNumero(drawTextoEscalado, x, y, z, v, p, 'e', h, alineacion);
}

void drawNumSciFacing(double x, double y, double z, double v, int p, double h, int alineacion)
{
    dibujarNumero(drawTextoEscaladoFacing, x, y, z, v, p, 'e', h, alineacion);
}

double tamanoCabezaCamara() { return distCamObj / 75; }

void funcionGrabarEscena(bool activa) { grabando = activa; }

bool funcionPrepararGrabacion()
{
    if (!crearListasLetras()) return false;
    if (listaGiro == 0) {
        listaGiro = glGenLists(2);
        if (listaGiro == 0) return false;
        listaCabeza = listaGiro + 1;
    }
    float g[2];
    angulosGiro(g);
    double h = tamanoCabezaCamara();
    // La cabeza solo manda estos dos valores: con ellos iguales, la misma lista
    const float c[2] = {static_cast<float>(h), static_cast<float>(h / 3)};
    bool iguales = listasCamaraHechas && g[0] == giroHecho[0] && g[1] == giroHecho[1] &&
                   c[0] == cabezaHecha[0] && c[1] == cabezaHecha[1];
    if (iguales) return true;
    glNewList(listaGiro, GL_COMPILE);
    aplicarGiro(g);
    glEndList();
    glNewList(listaCabeza, GL_COMPILE);
    trazarCabeza(h);
    glEndList();
    giroHecho[0] = g[0];
    giroHecho[1] = g[1];
    cabezaHecha[0] = c[0];
    cabezaHecha[1] = c[1];
    listasCamaraHechas = true;
    return true;
}
