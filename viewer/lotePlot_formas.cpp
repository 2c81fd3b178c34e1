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

// Cada primitiva de los tokens de feedback GL_3D: f(token, vértices, cantidad),
// 3 reales por vértice; los de paso (glPassThrough) se saltan
template <class F>
void cadaPrimitiva(std::vector<GLfloat>& buf, F f)
{
    size_t i = 0;
    while (i < buf.size()) {
        GLint token = static_cast<GLint>(buf[i++]);
        size_t vertices = 1;  // punto, mapa de bits o píxeles
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            vertices = 2;
        } else if (token == GL_POLYGON_TOKEN) {
            vertices = i < buf.size() ? static_cast<size_t>(buf[i++]) : 0;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i++;
            continue;
        }
        if (i + 3 * vertices > buf.size()) return;
        f(token, buf.data() + i, vertices);
        i += 3 * vertices;
    }
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
    cadaPrimitiva(buf, [a](GLint, GLfloat* v, size_t vertices) {
        for (size_t k = 0; k < vertices; k++, v += 3) {
            v[0] = static_cast<GLfloat>((v[0] / (lado / 2.0) - 1) * a);
            v[1] = static_cast<GLfloat>((v[1] / (lado / 2.0) - 1) * a);
            v[2] = static_cast<GLfloat>(-a * (2.0 * v[2] - 1));
        }
    });
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

// Cada tramo del feedback como x1 y1 x2 y2; lo demás se salta
void tramosDe(std::vector<GLfloat> buf, std::vector<float>& salida)
{
    cadaPrimitiva(buf, [&](GLint token, const GLfloat* v, size_t) {
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            salida.insert(salida.end(), {v[0], v[1], v[3], v[4]});
        }
    });
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
        cadaPrimitiva(buf, [&](GLint token, const GLfloat* p, size_t n) {
            if (token != GL_POLYGON_TOKEN) return;
            // Abanico desde el primer vértice
            for (size_t k = 1; k + 1 < n; k++) {
                const GLfloat* v[3] = {p, p + 3 * k, p + 3 * k + 3};
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
                for (const GLfloat* q : v) tri.insert(tri.end(), {q[0], q[1], q[2]});
            }
        });
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

