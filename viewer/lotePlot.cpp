// Tandas de dibujo de la escena: pila de matrices en double, vértices llevados
// a la escena y juntados por clase, una llamada de OpenGL por tanda.
#include "viewer/lotePlot.h"

#include <cmath>
#include <functional>
#include <utility>

#include <GL/freeglut.h>

#include "app/zurezar3o.h"

namespace {

// Matriz afín 3 x 4 por filas (giro y escala | traslación); marco >= 0: la
// matriz es relativa a ese marco de cámara del grupo abierto
struct Matriz {
    double m[12];
    int marco;
};

const Matriz identidad = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0}, -1};

// Vértice recién emitido, antes de ir a su tanda
struct Emitido {
    int marco;    // -1: fijo, en p
    double p[3];  // en la escena, o relativo al marco
};

struct Estado {
    int nivel = 0;
    std::vector<Matriz> pila{identidad};
    float color[3] = {1, 1, 1};
    float ancho = 1;
    GrupoLote grupo;
    int ultimaTanda = -1;
    GrabacionLote* grabacion = nullptr;
    // Primitiva en curso
    bool dentro = false;
    GLenum modo = GL_LINES;
    int enEspera = 0;
    Emitido espera[4];
    Emitido primero, previo;
    int cuenta = 0;
};

Estado e;

Matriz& actual()
{
    if (e.pila.empty()) e.pila.push_back(identidad);
    return e.pila.back();
}

void aplicar(const double m[12], const double q[3], double p[3])
{
    for (int i = 0; i < 3; i++) {
        p[i] = m[4 * i] * q[0] + m[4 * i + 1] * q[1] + m[4 * i + 2] * q[2] + m[4 * i + 3];
    }
}

// M = M · A
void multiplicar(Matriz& M, const double a[12])
{
    double r[12];
    for (int i = 0; i < 3; i++) {
        const double* f = M.m + 4 * i;
        for (int j = 0; j < 4; j++) {
            r[4 * i + j] = f[0] * a[j] + f[1] * a[4 + j] + f[2] * a[8 + j];
        }
        r[4 * i + 3] += f[3];
    }
    for (int k = 0; k < 12; k++) M.m[k] = r[k];
}

// Giro de 'grados' sobre el eje (x, y, z), como glRotate: un eje casi nulo no gira
bool matrizGiro(double grados, double x, double y, double z, double a[12])
{
    double n = std::sqrt(x * x + y * y + z * z);
    if (!(n > 1e-4)) return false;
    x /= n;
    y /= n;
    z /= n;
    double t = grados * PI / 180;
    double c = std::cos(t), s = std::sin(t), k = 1 - c;
    const double r[12] = {x * x * k + c,     x * y * k - z * s, x * z * k + y * s, 0,
                          y * x * k + z * s, y * y * k + c,     y * z * k - x * s, 0,
                          x * z * k - y * s, y * z * k + x * s, z * z * k + c,     0};
    for (int i = 0; i < 12; i++) a[i] = r[i];
    return true;
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

// Los dos giros del texto de cara a la cámara, en grados como float (lo que
// recibiría glRotatef)
void angulosGiro(float g[2])
{
    double az = 0, el = 0;
    angulosCamara(az, el);
    g[0] = static_cast<float>(90 + az);
    g[1] = static_cast<float>(90 - el);
}

// Parte lineal 3 x 3 del giro de cara a la cámara
void giroCamara(double R[9])
{
    float g[2];
    angulosGiro(g);
    Matriz M = identidad;
    double a[12];
    if (matrizGiro(g[0], 0, 0, 1, a)) multiplicar(M, a);
    if (matrizGiro(g[1], 1, 0, 0, a)) multiplicar(M, a);
    for (int i = 0; i < 3; i++) {
        for (int j = 0; j < 3; j++) R[3 * i + j] = M.m[4 * i + j];
    }
}

// Parte lineal C del marco con la cámara actual
void parteCamara(const MarcoCamara& f, const double Rc[9], double C[9])
{
    for (int i = 0; i < 9; i++) {
        double uno = i % 4 == 0 ? 1 : 0;
        C[i] = f.tipo == marcoGiro ? Rc[i] : f.tipo == marcoEscala ? f.k * distCamObj * uno : uno;
    }
}

// A · B de 3 x 3
void producto3(const double A[9], const double B[9], double R[9])
{
    for (int i = 0; i < 3; i++) {
        for (int j = 0; j < 3; j++) {
            R[3 * i + j] = A[3 * i] * B[j] + A[3 * i + 1] * B[3 + j] + A[3 * i + 2] * B[6 + j];
        }
    }
}

// El marco con la cámara actual como matriz afín: L · C | t + distCamObj · tc
void marcoEnEscena(const MarcoCamara& f, const double Rc[9], double r[12])
{
    double C[9], LC[9];
    parteCamara(f, Rc, C);
    producto3(f.L, C, LC);
    for (int i = 0; i < 3; i++) {
        for (int j = 0; j < 3; j++) r[4 * i + j] = LC[3 * i + j];
        r[4 * i + 3] = f.t[i] + distCamObj * f.tc[i];
    }
}

// Matriz afín completa (escena) de la matriz actual, con la cámara de ahora
void matrizEnEscena(const Matriz& M, double r[12])
{
    for (int k = 0; k < 12; k++) r[k] = M.m[k];
    if (M.marco < 0 || M.marco >= static_cast<int>(e.grupo.marcos.size())) return;
    double Rc[9], f[12];
    giroCamara(Rc);
    marcoEnEscena(e.grupo.marcos[static_cast<size_t>(M.marco)], Rc, f);
    Matriz F{{0}, -1};
    for (int k = 0; k < 12; k++) F.m[k] = f[k];
    multiplicar(F, M.m);
    for (int k = 0; k < 12; k++) r[k] = F.m[k];
}

// Un marco nuevo desde la matriz actual, que pasa a ser relativa a él. Dentro
// de un marco de traslación se compone con él; dentro de uno de giro o de
// escala no se guarda relativo y queda con la cámara de ahora (ningún dibujo
// lo hace).
void abrirMarcoCamara(int tipo, double k, const double kc[3])
{
    Matriz& M = actual();
    MarcoCamara f{{M.m[3], M.m[7], M.m[11]},
                  {0, 0, 0},
                  {M.m[0], M.m[1], M.m[2], M.m[4], M.m[5], M.m[6], M.m[8], M.m[9], M.m[10]},
                  tipo,
                  k};
    if (M.marco >= 0) {
        const MarcoCamara& afuera = e.grupo.marcos[static_cast<size_t>(M.marco)];
        if (afuera.tipo != marcoTraslacion) {
            double Rc[9], r[12];
            giroCamara(Rc);
            MarcoCamara solo = f;
            solo.t[0] = solo.t[1] = solo.t[2] = 0;
            for (int i = 0; i < 9; i++) solo.L[i] = i % 4 == 0 ? 1 : 0;
            if (tipo == marcoTraslacion) {
                for (int i = 0; i < 3; i++) solo.tc[i] = kc[i];
            }
            marcoEnEscena(solo, Rc, r);
            multiplicar(M, r);
            return;
        }
        double L[9];
        producto3(afuera.L, f.L, L);
        for (int i = 0; i < 3; i++) {
            f.t[i] = afuera.t[i] + afuera.L[3 * i] * M.m[3] + afuera.L[3 * i + 1] * M.m[7] +
                     afuera.L[3 * i + 2] * M.m[11];
            f.tc[i] = afuera.tc[i];
        }
        for (int i = 0; i < 9; i++) f.L[i] = L[i];
    }
    if (tipo == marcoTraslacion) {
        for (int i = 0; i < 3; i++) {
            f.tc[i] += f.L[3 * i] * kc[0] + f.L[3 * i + 1] * kc[1] + f.L[3 * i + 2] * kc[2];
        }
    }
    if (tipo == marcoGiro) e.grupo.usaGiro = true;
    if (tipo != marcoGiro || f.tc[0] != 0 || f.tc[1] != 0 || f.tc[2] != 0) {
        e.grupo.usaDistancia = true;
    }
    e.grupo.marcos.push_back(f);
    M = identidad;
    M.marco = static_cast<int>(e.grupo.marcos.size()) - 1;
}

Emitido emitir(double x, double y, double z)
{
    const Matriz& M = actual();
    Emitido v;
    const double q[3] = {x, y, z};
    aplicar(M.m, q, v.p);
    v.marco = M.marco;
    return v;
}

// La tanda de la primitiva que se completa: su clase, el ancho actual (líneas)
// y el color actual, que es el de su último vértice (ningún dibujo cambia de
// color dentro de una primitiva)
TandaLote& tanda(GLenum modo, bool cerrada)
{
    float ancho = modo == GL_LINES ? e.ancho : 0;
    const float* c = e.color;
    auto igual = [&](const TandaLote& t) {
        return t.modo == modo && t.cerrada == cerrada && t.ancho == ancho && t.color[0] == c[0] &&
               t.color[1] == c[1] && t.color[2] == c[2];
    };
    std::vector<TandaLote>& ts = e.grupo.tandas;
    if (e.ultimaTanda >= 0 && igual(ts[static_cast<size_t>(e.ultimaTanda)])) {
        return ts[static_cast<size_t>(e.ultimaTanda)];
    }
    for (size_t i = 0; i < ts.size(); i++) {
        if (igual(ts[i])) {
            e.ultimaTanda = static_cast<int>(i);
            return ts[i];
        }
    }
    TandaLote t;
    t.modo = modo;
    t.ancho = ancho;
    t.cerrada = cerrada;
    for (int i = 0; i < 3; i++) t.color[i] = c[i];
    ts.push_back(std::move(t));
    e.ultimaTanda = static_cast<int>(ts.size()) - 1;
    return ts.back();
}

void agregar(TandaLote& t, const Emitido& v)
{
    if (v.marco < 0) {
        t.fijos.push_back(
            {static_cast<float>(v.p[0]), static_cast<float>(v.p[1]), static_cast<float>(v.p[2])});
    } else {
        t.camara.push_back({v.marco, {v.p[0], v.p[1], v.p[2]}});
    }
}

void agregarLinea(const Emitido& a, const Emitido& b)
{
    TandaLote& t = tanda(GL_LINES, false);
    agregar(t, a);
    agregar(t, b);
}

void agregarTriangulo(const Emitido& a, const Emitido& b, const Emitido& c, bool cerrada)
{
    TandaLote& t = tanda(GL_TRIANGLES, cerrada);
    agregar(t, a);
    agregar(t, b);
    agregar(t, c);
}

// Sin las formas leídas (modo feedback antes de leerlas) se dibuja directo con
// freeglut bajo la matriz actual
void dibujarDirecto(const std::function<void()>& dibujo)
{
    double r[12];
    matrizEnEscena(actual(), r);
    const GLdouble m[16] = {r[0], r[4], r[8],  0, r[1], r[5], r[9],  0,
                            r[2], r[6], r[10], 0, r[3], r[7], r[11], 1};
    glColor3f(e.color[0], e.color[1], e.color[2]);
    glLineWidth(e.ancho);
    glPushMatrix();
    glMultMatrixd(m);
    dibujo();
    glPopMatrix();
}

// --- Envío a OpenGL ---

// Índices 0, 1, 2...: Mesa dibuja con índices bastante más rápido que de corrido
std::vector<GLuint> indices;

void enviar(GLenum modo, const std::vector<VerticeLote>& v)
{
    if (v.empty()) return;
    if (indices.size() < v.size()) {
        size_t n = indices.size();
        indices.resize(v.size());
        for (size_t i = n; i < indices.size(); i++) indices[i] = static_cast<GLuint>(i);
    }
    glVertexPointer(3, GL_FLOAT, sizeof(VerticeLote), &v[0].x);
    glDrawElements(modo, static_cast<GLsizei>(v.size()), GL_UNSIGNED_INT, indices.data());
}

void enviarTanda(const TandaLote& t, const std::vector<VerticeLote>& v)
{
    if (v.empty()) return;
    glColor3f(t.color[0], t.color[1], t.color[2]);
    if (t.modo == GL_LINES) glLineWidth(t.ancho);
    if (t.cerrada) {
        glCullFace(GL_BACK);
        glFrontFace(GL_CCW);
        glEnable(GL_CULL_FACE);
    }
    enviar(t.modo, v);
    if (t.cerrada) glDisable(GL_CULL_FACE);
}

// Los marcos del grupo con la cámara actual, 12 reales cada uno; el mismo
// lugar para todos los grupos y cuadros
std::vector<double> marcosResueltos;

// Los vértices de cámara del grupo con la cámara actual (solo si cambió lo que leen)
void resolver(GrupoLote& g)
{
    float giro[2];
    angulosGiro(giro);
    const double clave[3] = {g.usaGiro ? giro[0] : 0.0, g.usaGiro ? giro[1] : 0.0,
                             g.usaDistancia ? distCamObj : 0.0};
    if (g.resuelto && clave[0] == g.camaraResuelta[0] && clave[1] == g.camaraResuelta[1] &&
        clave[2] == g.camaraResuelta[2]) {
        return;
    }
    double Rc[9];
    giroCamara(Rc);
    std::vector<double>& F = marcosResueltos;
    F.resize(12 * g.marcos.size());
    for (size_t f = 0; f < g.marcos.size(); f++) marcoEnEscena(g.marcos[f], Rc, &F[12 * f]);
    for (TandaLote& t : g.tandas) {
        t.resueltos.resize(t.camara.size());
        for (size_t k = 0; k < t.camara.size(); k++) {
            const VerticeCamara& v = t.camara[k];
            double p[3];
            aplicar(&F[12 * static_cast<size_t>(v.marco)], v.u, p);
            t.resueltos[k] = {static_cast<float>(p[0]), static_cast<float>(p[1]),
                              static_cast<float>(p[2])};
        }
    }
    g.resuelto = true;
    for (int i = 0; i < 3; i++) g.camaraResuelta[i] = clave[i];
}

void dibujarGrupo(GrupoLote& g)
{
    if (!g.marcos.empty()) resolver(g);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    for (const TandaLote& t : g.tandas) {
        if (t.lista != 0) {
            glCallList(t.lista);
        } else {
            enviarTanda(t, t.fijos);
        }
        enviarTanda(t, t.resueltos);
    }
    glPopClientAttrib();
}

// Los fijos de cada tanda a una lista de OpenGL (si no hay listas quedan en
// memoria y se mandan desde ahí)
void grabarListas(GrupoLote& g)
{
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    for (TandaLote& t : g.tandas) {
        if (t.fijos.empty()) continue;
        GLuint lista = glGenLists(1);
        if (lista == 0) continue;
        glNewList(lista, GL_COMPILE);
        enviarTanda(t, t.fijos);
        glEndList();
        t.lista = lista;
        std::vector<VerticeLote>().swap(t.fijos);
    }
    glPopClientAttrib();
}

// Cierra el dibujo de más afuera: manda o graba el grupo
void vaciar()
{
    e.dentro = false;
    e.pila.assign(1, identidad);
    e.ultimaTanda = -1;
    GrupoLote g;
    std::swap(g, e.grupo);
    if (e.grabacion) {
        if (!g.tandas.empty()) {
            grabarListas(g);
            e.grabacion->grupos.push_back(std::move(g));
        }
        e.grabacion->conEstado = true;
        for (int i = 0; i < 3; i++) e.grabacion->color[i] = e.color[i];
        e.grabacion->ancho = e.ancho;
    } else {
        dibujarGrupo(g);
    }
    // El dibujo que sigue, grabado o no, parte del estado que este deja
    glColor3f(e.color[0], e.color[1], e.color[2]);
    glLineWidth(e.ancho);
}

}  // namespace

LoteDibujo::LoteDibujo()
{
    if (e.nivel++ > 0) return;
    lotePrepararFormas();
    GLfloat c[4] = {1, 1, 1, 1};
    glGetFloatv(GL_CURRENT_COLOR, c);
    for (int i = 0; i < 3; i++) e.color[i] = c[i];
    glGetFloatv(GL_LINE_WIDTH, &e.ancho);
    e.pila.assign(1, identidad);
    e.grupo = GrupoLote();
    e.ultimaTanda = -1;
}

LoteDibujo::~LoteDibujo()
{
    if (--e.nivel > 0) return;
    e.nivel = 0;
    vaciar();
}

void loteEmpujarMatriz()
{
    if (e.dentro) return;
    e.pila.push_back(actual());
}

void loteSacarMatriz()
{
    if (e.dentro) return;
    if (e.pila.size() > 1) e.pila.pop_back();
}

void loteTrasladar(double x, double y, double z)
{
    if (e.dentro) return;
    Matriz& M = actual();
    for (int i = 0; i < 3; i++) {
        double* f = M.m + 4 * i;
        f[3] += f[0] * x + f[1] * y + f[2] * z;
    }
}

void loteGirar(double grados, double x, double y, double z)
{
    double a[12];
    if (e.dentro || !matrizGiro(grados, x, y, z, a)) return;
    multiplicar(actual(), a);
}

void loteEscalar(double sx, double sy, double sz)
{
    if (e.dentro) return;
    Matriz& M = actual();
    for (int i = 0; i < 3; i++) {
        M.m[4 * i] *= sx;
        M.m[4 * i + 1] *= sy;
        M.m[4 * i + 2] *= sz;
    }
}

void loteGirarHaciaCamara()
{
    const double nada[3] = {0, 0, 0};
    if (!e.dentro) abrirMarcoCamara(marcoGiro, 0, nada);
}

void loteEscalarConCamara(double k)
{
    const double nada[3] = {0, 0, 0};
    if (!e.dentro) abrirMarcoCamara(marcoEscala, k, nada);
}

void loteTrasladarConCamara(double kx, double ky, double kz)
{
    const double kc[3] = {kx, ky, kz};
    if (!e.dentro) abrirMarcoCamara(marcoTraslacion, 0, kc);
}

void loteColor(float r, float g, float b)
{
    e.color[0] = r;
    e.color[1] = g;
    e.color[2] = b;
}

void loteAnchoLinea(float w)
{
    if (!e.dentro && w > 0) e.ancho = w;
}

void loteComenzar(GLenum modo)
{
    if (e.dentro) return;
    e.dentro = true;
    e.modo = modo;
    e.enEspera = 0;
    e.cuenta = 0;
}

void loteVertice(double x, double y, double z)
{
    if (!e.dentro) return;
    Emitido v = emitir(x, y, z);
    switch (e.modo) {
    case GL_LINES:
        e.espera[e.enEspera++] = v;
        if (e.enEspera == 2) {
            agregarLinea(e.espera[0], e.espera[1]);
            e.enEspera = 0;
        }
        break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
        if (e.cuenta == 0) e.primero = v;
        if (e.cuenta > 0) agregarLinea(e.previo, v);
        e.previo = v;
        e.cuenta++;
        break;
    case GL_TRIANGLES:
        e.espera[e.enEspera++] = v;
        if (e.enEspera == 3) {
            agregarTriangulo(e.espera[0], e.espera[1], e.espera[2], false);
            e.enEspera = 0;
        }
        break;
    case GL_QUADS:
        e.espera[e.enEspera++] = v;
        if (e.enEspera == 4) {
            agregarTriangulo(e.espera[0], e.espera[1], e.espera[2], false);
            agregarTriangulo(e.espera[0], e.espera[2], e.espera[3], false);
            e.enEspera = 0;
        }
        break;
    default:
        break;
    }
}

void loteTerminar()
{
    if (!e.dentro) return;
    if (e.modo == GL_LINE_LOOP && e.cuenta >= 2) agregarLinea(e.previo, e.primero);
    e.dentro = false;
}

void loteTexto(const char* texto)
{
    if (texto == nullptr || e.dentro) return;
    for (const char* c = texto; *c != '\0'; c++) {
        int b = static_cast<unsigned char>(*c);
        double avance = 0;
        const std::vector<float>* trazos = loteTrazosLetra(b, avance);
        if (trazos == nullptr) {
            dibujarDirecto([b] { glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, b); });
            loteTrasladar(glutStrokeWidthf(GLUT_STROKE_MONO_ROMAN, b), 0, 0);
            continue;
        }
        const std::vector<float>& t = *trazos;
        for (size_t k = 0; k + 3 < t.size(); k += 4) {
            agregarLinea(emitir(t[k], t[k + 1], 0), emitir(t[k + 2], t[k + 3], 0));
        }
        loteTrasladar(avance, 0, 0);
    }
}

void loteEsfera(double r, int tajadas, int pilas)
{
    if (e.dentro) return;
    const std::vector<double>* tri = loteEsferaUnidad(tajadas, pilas);
    if (tri == nullptr) {
        dibujarDirecto([&] { glutSolidSphere(r, tajadas, pilas); });
        return;
    }
    // Un marco espejado da vuelta el sentido de los triángulos
    const double* m = actual().m;
    double det = m[0] * (m[5] * m[10] - m[6] * m[9]) - m[1] * (m[4] * m[10] - m[6] * m[8]) +
                 m[2] * (m[4] * m[9] - m[5] * m[8]);
    bool espejo = (det < 0) != (r < 0);
    const std::vector<double>& t = *tri;
    for (size_t k = 0; k + 8 < t.size(); k += 9) {
        Emitido a = emitir(r * t[k], r * t[k + 1], r * t[k + 2]);
        Emitido b = emitir(r * t[k + 3], r * t[k + 4], r * t[k + 5]);
        Emitido c = emitir(r * t[k + 6], r * t[k + 7], r * t[k + 8]);
        if (espejo) {
            agregarTriangulo(a, c, b, true);
        } else {
            agregarTriangulo(a, b, c, true);
        }
    }
}

void loteGrabarEn(GrabacionLote* g) { e.grabacion = g; }

void loteReproducir(GrabacionLote& g)
{
    for (GrupoLote& grupo : g.grupos) dibujarGrupo(grupo);
    if (g.conEstado) {
        glColor3f(g.color[0], g.color[1], g.color[2]);
        glLineWidth(g.ancho);
    }
}

void loteVaciarGrabacion(GrabacionLote& g)
{
    for (GrupoLote& grupo : g.grupos) {
        for (TandaLote& t : grupo.tandas) {
            if (t.lista != 0) glDeleteLists(t.lista, 1);
        }
    }
    g = GrabacionLote();
}
