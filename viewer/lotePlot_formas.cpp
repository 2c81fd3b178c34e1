// Tandas de dibujo: las letras de la fuente de trazos y la esfera de freeglut,
// leídas una vez en modo feedback para armarlas sin llamar a freeglut en cada
// dibujo.
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include <GL/freeglut.h>

#include "viewer/lotePlot.h"

namespace {

// Trazos de una letra en unidades de la fuente: x1 y1 x2 y2 por tramo
struct Glifo {
    std::vector<float> trazos;
    double avance = 0;
};

bool glifosLeidos = false;
Glifo glifos[256];
// Triángulos de la esfera unitaria por (tajadas, pilas), 9 reales cada uno;
// vacío si freeglut no dio ninguno
std::map<std::pair<int, int>, std::vector<double>> esferas;

bool sePuedeLeer()
{
    GLint modo = 0, lista = 0;
    glGetIntegerv(GL_RENDER_MODE, &modo);
    glGetIntegerv(GL_LIST_INDEX, &lista);
    return modo == GL_RENDER && lista == 0;
}

// Corre el dibujo en modo feedback (GL_3D) en una vista ortogonal de ±a, con
// la matriz del modelo en la identidad, y da sus tokens llevados de vuelta a
// coordenadas del objeto
std::vector<GLfloat> leerFeedback(const std::function<void()>& dibujo, double a)
{
    const int lado = 512;
    std::vector<GLfloat> buf(1 << 14);
    GLint n = -1;
    while (n < 0 && buf.size() <= (1u << 24)) {
        glLoadIdentity();
        glFeedbackBuffer(static_cast<GLsizei>(buf.size()), GL_3D, buf.data());
        glRenderMode(GL_FEEDBACK);
        dibujo();
        n = glRenderMode(GL_RENDER);
        if (n < 0) buf.resize(buf.size() * 4);
    }
    if (n < 0) return {};
    buf.resize(static_cast<size_t>(n));
    // Ventana a objeto: x = (xv / (lado/2) − 1)·a; z de 0..1 a a..−a
    auto vertice = [&](size_t i) {
        buf[i] = static_cast<GLfloat>((buf[i] / (lado / 2.0) - 1) * a);
        buf[i + 1] = static_cast<GLfloat>((buf[i + 1] / (lado / 2.0) - 1) * a);
        buf[i + 2] = static_cast<GLfloat>(-a * (2.0 * buf[i + 2] - 1));
    };
    size_t i = 0;
    while (i < buf.size()) {
        GLint token = static_cast<GLint>(buf[i++]);
        int vertices = 0;
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            vertices = 2;
        } else if (token == GL_POLYGON_TOKEN) {
            vertices = static_cast<int>(buf[i++]);
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i++;
        } else {
            vertices = 1;  // punto, mapa de bits o píxeles
        }
        for (int k = 0; k < vertices && i + 2 < buf.size(); k++, i += 3) vertice(i);
    }
    return buf;
}

// Vista de la lectura: ortogonal, ventana de 512 x 512, sin recorte de caras
void conVistaDeLectura(double a, const std::function<void()>& leer)
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-a, a, -a, a, -a, a);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glViewport(0, 0, 512, 512);
    glDisable(GL_CULL_FACE);
    leer();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

// Cada token de tramo del feedback como x1 y1 x2 y2; los demás se saltan
void tramosDe(const std::vector<GLfloat>& buf, std::vector<float>& salida)
{
    size_t i = 0;
    while (i < buf.size()) {
        GLint token = static_cast<GLint>(buf[i++]);
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            if (i + 6 > buf.size()) break;
            salida.insert(salida.end(), {buf[i], buf[i + 1], buf[i + 3], buf[i + 4]});
            i += 6;
        } else if (token == GL_POLYGON_TOKEN) {
            i += 1 + 3 * static_cast<size_t>(buf[i]);
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i++;
        } else {
            i += 3;
        }
    }
}

void leerGlifos()
{
    conVistaDeLectura(256, [] {
        for (int b = 1; b < 256; b++) {
            Glifo& g = glifos[b];
            g.trazos.clear();
            tramosDe(leerFeedback([b] { glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, b); }, 256),
                     g.trazos);
            // El avance es lo que la letra corrió la matriz
            GLdouble m[16];
            glGetDoublev(GL_MODELVIEW_MATRIX, m);
            g.avance = m[12];
        }
    });
}

// Triángulos de la esfera unitaria de freeglut, cada uno con sus vértices en
// sentido antihorario visto desde afuera (cara delantera de OpenGL)
bool leerEsfera(int tajadas, int pilas)
{
    std::vector<double> tri;
    conVistaDeLectura(2, [&] {
        std::vector<GLfloat> buf =
            leerFeedback([&] { glutSolidSphere(1.0, tajadas, pilas); }, 2);
        size_t i = 0;
        while (i < buf.size()) {
            GLint token = static_cast<GLint>(buf[i++]);
            if (token != GL_POLYGON_TOKEN) {
                i += token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN ? 6
                     : token == GL_PASS_THROUGH_TOKEN                        ? 1
                                                                             : 3;
                continue;
            }
            size_t n = static_cast<size_t>(buf[i++]);
            if (i + 3 * n > buf.size()) break;
            // Abanico desde el primer vértice
            for (size_t k = 1; k + 1 < n; k++) {
                const GLfloat* v[3] = {&buf[i], &buf[i + 3 * k], &buf[i + 3 * k + 3]};
                double a[3], b[3], c[3];
                for (int j = 0; j < 3; j++) {
                    a[j] = v[1][j] - v[0][j];
                    b[j] = v[2][j] - v[0][j];
                }
                c[0] = a[1] * b[2] - a[2] * b[1];
                c[1] = a[2] * b[0] - a[0] * b[2];
                c[2] = a[0] * b[1] - a[1] * b[0];
                double afuera = 0, area = 0;
                for (int j = 0; j < 3; j++) {
                    afuera += c[j] * (v[0][j] + v[1][j] + v[2][j]);
                    area += c[j] * c[j];
                }
                if (!(area > 1e-20)) continue;  // sin área no pinta nada
                if (afuera < 0) std::swap(v[1], v[2]);
                for (const GLfloat* p : v) tri.insert(tri.end(), {p[0], p[1], p[2]});
            }
            i += 3 * n;
        }
    });
    // Vacía si freeglut no dio triángulos: no se vuelve a intentar
    bool hay = !tri.empty();
    esferas[{tajadas, pilas}] = std::move(tri);
    return hay;
}

}  // namespace

bool lotePrepararFormas()
{
    if (glifosLeidos) return true;
    if (!sePuedeLeer()) return false;
    leerGlifos();
    leerEsfera(12, 12);
    glifosLeidos = true;
    return true;
}

const std::vector<float>* loteTrazosLetra(int b, double& avance)
{
    if (!glifosLeidos || b < 0 || b > 255) return nullptr;
    avance = glifos[b].avance;
    return &glifos[b].trazos;
}

const std::vector<double>* loteEsferaUnidad(int tajadas, int pilas)
{
    auto it = esferas.find({tajadas, pilas});
    if (it == esferas.end()) {
        if (!sePuedeLeer()) return nullptr;
        leerEsfera(tajadas, pilas);
        it = esferas.find({tajadas, pilas});
    }
    return it->second.empty() ? nullptr : &it->second;
}

