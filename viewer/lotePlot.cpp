// Tandas de dibujo de la escena: pila de matrices en double, vértices llevados
// a la escena y juntados por clase, una llamada de OpenGL por tanda.
#include "viewer/lotePlot.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <functional>
#include <iostream>
#include <utility>

#include <GL/freeglut.h>

#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"

namespace {

using Eigen::Matrix3d;
using Eigen::Vector3d;
using Afin = Eigen::Affine3d;

// Matriz de la pila; con marco >= 0 es relativa a ese marco de cámara del
// grupo abierto
struct Matriz {
    Afin m = Afin::Identity();
    int marco = -1;
};

// Vértice recién emitido, antes de ir a su tanda
struct Emitido {
    int marco;    // -1: fijo, en p
    Vector3d p;   // en la escena, o relativo al marco
};

struct EstadoLote {
    int nivel = 0;
    std::vector<Matriz> pila{Matriz()};
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
    // Ya se dijo que se dibuja sin un LoteDibujo abierto (hasta que se abra uno)
    bool avisadoSinLote = false;
};

EstadoLote estado;

// Sin un LoteDibujo abierto lo dibujado no iría a ninguna tanda: se perdería
// sin aviso al abrirse el siguiente. Es un error del visor: se detiene en
// depuración; si no, la llamada no hace nada y se dice en una línea de la
// salida de errores (una por dibujo, hasta que se abra un LoteDibujo).
bool sinLote(const char* funcion)
{
    if (estado.nivel > 0) return false;
    if (!estado.avisadoSinLote) {
        std::cerr << "Error del visor: " << funcion
                  << " sin un LoteDibujo abierto; lo que dibuja no se ve" << std::endl;
        estado.avisadoSinLote = true;
    }
    assert(!"dibujo sin un LoteDibujo abierto");
    return true;
}

Matriz& actual()
{
    if (estado.pila.empty()) estado.pila.emplace_back();
    return estado.pila.back();
}

// Giro de 'grados' sobre el eje (x, y, z), como glRotate; un eje casi nulo no
// gira (false)
bool matrizGiro(double grados, const Vector3d& eje, Matrix3d& r)
{
    double n = eje.norm();
    if (!(n > 1e-4)) return false;
    r = Eigen::AngleAxisd(grados * PI / 180, eje / n).toRotationMatrix();
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
    double c = std::clamp(dx / dH, -1.0, 1.0);
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

// Giro de cara a la cámara: g[0] sobre z y después g[1] sobre x
Matrix3d giroCamara()
{
    float g[2];
    angulosGiro(g);
    Matrix3d R = Matrix3d::Identity(), a;
    if (matrizGiro(g[0], Vector3d::UnitZ(), a)) R = R * a;
    if (matrizGiro(g[1], Vector3d::UnitX(), a)) R = R * a;
    return R;
}

// Parte lineal C del marco con la cámara actual (Rc: el giro de cara a ella)
Matrix3d parteCamara(const MarcoCamara& f, const Matrix3d& Rc)
{
    switch (f.tipo) {
    case marcoGiro: return Rc;
    case marcoEscala: return f.k * distCamObj * Matrix3d::Identity();
    default: return Matrix3d::Identity();
    }
}

// Lo que hay que acercar al ojo lo que está en el origen A de un marco para
// que quede delante del tramo donde este cae a menos de radio + grosor de A
// en la pantalla (medido de costado a la visual de A, de más en perspectiva):
// lo más adelantado del tramo en esa parte, su grosor y un margen del ancho de
// las líneas y del paso de la profundidad. 0 si no se cruzan.
double distanciaDelante(const TramoDelante& t, const Vector3d& A, const Vector3d& haciaOjo)
{
    const double cerca = t.radio + t.grosor;
    // Parte de costado a la visual y parte hacia el ojo de un vector
    auto costado = [&](const Vector3d& v) { return v - v.dot(haciaOjo) * haciaOjo; };
    const Vector3d p0 = costado(t.a - A), dp = costado(t.b - t.a);
    const double a2 = dp.squaredNorm(), b = p0.dot(dp), c = p0.squaredNorm() - cerca * cerca;
    double s1 = 0, s2 = 1;
    if (a2 > 1e-12 * (p0.squaredNorm() + cerca * cerca)) {
        const double disc = b * b - a2 * c;
        if (disc < 0) return 0;
        s1 = std::max(0.0, (-b - std::sqrt(disc)) / a2);
        s2 = std::min(1.0, (-b + std::sqrt(disc)) / a2);
        if (s1 > s2) return 0;
    } else if (c > 0) {
        return 0;
    }
    auto adelante = [&](double s) { return (t.a + s * (t.b - t.a) - A).dot(haciaOjo); };
    // Media línea de 3 píxeles y algo más; en ortogonal también el paso de la
    // profundidad (2e6 unidades en 24 bits)
    double margen = 0.005 * distCamObj;
    if (!flagEncendido(flagPerspectiva)) margen += 2 * 2e6 / 16777216.0;
    return std::max(0.0, std::max(adelante(s1), adelante(s2)) + t.grosor + margen);
}

// La afín r acercada al ojo para quedar delante de su tramo, sin cambiar dónde
// se ve: en perspectiva una homotecia desde el ojo, en ortogonal una
// traslación hacia él
void acercarAlOjo(Afin& r, const TramoDelante& t)
{
    const Vector3d ojo(xCam, yCam, zCam);
    const Vector3d A = r.translation();
    if (flagEncendido(flagPerspectiva)) {
        const double lejos = (A - ojo).norm();
        if (!(lejos > 0)) return;
        // Hasta la mitad del camino al ojo: más cerca ya no cabe
        const double d = std::min(distanciaDelante(t, A, (ojo - A) / lejos), lejos / 2);
        if (!(d > 0)) return;
        const double s = 1 - d / lejos;
        r.linear() *= s;
        r.translation() = ojo + s * (A - ojo);
    } else {
        const Vector3d visual = ojo - Vector3d(xCentroObj, yCentroObj, zCentroObj);
        const double n = visual.norm();
        if (!(n > 0)) return;
        const double d = distanciaDelante(t, A, visual / n);
        if (d > 0) r.translation() += d / n * visual;
    }
}

// El marco con la cámara actual: L · C | t + distCamObj · tc, acercado al ojo
// si tiene un tramo delante del cual quedar
Afin marcoEnEscena(const MarcoCamara& f, const Matrix3d& Rc)
{
    Afin r = Afin::Identity();
    r.linear() = f.L * parteCamara(f, Rc);
    r.translation() = f.t + distCamObj * f.tc;
    if (f.delante.activo) acercarAlOjo(r, f.delante);
    return r;
}

// La matriz actual en la escena, con la cámara de ahora
Afin matrizEnEscena(const Matriz& M)
{
    if (M.marco < 0 || M.marco >= static_cast<int>(estado.grupo.marcos.size())) return M.m;
    return marcoEnEscena(estado.grupo.marcos[static_cast<size_t>(M.marco)], giroCamara()) * M.m;
}

// Un marco nuevo desde la matriz actual, que pasa a ser relativa a él. Dentro
// de un marco de traslación se compone con él. Dentro de uno de giro o de
// escala no se puede guardar relativo a la cámara: se rechaza con una línea en
// la salida de errores y la matriz queda como estaba.
void abrirMarcoCamara(TipoMarco tipo, double k, const Vector3d& kc,
                      const TramoDelante& delante = TramoDelante())
{
    Matriz& M = actual();
    const MarcoCamara* afuera =
        M.marco >= 0 ? &estado.grupo.marcos[static_cast<size_t>(M.marco)] : nullptr;
    if (afuera != nullptr && afuera->tipo != marcoTraslacion) {
        std::cerr << "Error del visor: un marco de cámara dentro de un giro o una escala de "
                     "cámara no se puede dibujar; se deja sin aplicar"
                  << std::endl;
        return;
    }
    MarcoCamara f{M.m.translation(), Vector3d::Zero(), M.m.linear(), tipo, k, delante};
    if (afuera != nullptr) {
        f.t = afuera->t + afuera->L * M.m.translation();
        f.tc = afuera->tc;
        f.L = afuera->L * M.m.linear();
        if (!f.delante.activo) f.delante = afuera->delante;
    }
    if (tipo == marcoTraslacion) f.tc += f.L * kc;
    if (tipo == marcoGiro) estado.grupo.usaGiro = true;
    if (tipo != marcoGiro || !f.tc.isZero(0) || f.delante.activo) {
        estado.grupo.usaDistancia = true;
    }
    if (f.delante.activo) estado.grupo.usaOjo = true;
    estado.grupo.marcos.push_back(f);
    M = Matriz();
    M.marco = static_cast<int>(estado.grupo.marcos.size()) - 1;
}

Emitido emitir(double x, double y, double z)
{
    const Matriz& M = actual();
    return {M.marco, M.m * Vector3d(x, y, z)};
}

// Triángulos de una superficie abierta, o de una cerrada (esferas), que se
// dibuja sin sus caras traseras
enum class Superficie { abierta, cerrada };

// La tanda de la primitiva que se completa: su clase, el ancho actual (líneas)
// y el color actual, que es el de su último vértice (ningún dibujo cambia de
// color dentro de una primitiva)
TandaLote& tanda(GLenum modo, Superficie superficie)
{
    const bool cerrada = superficie == Superficie::cerrada;
    float ancho = modo == GL_LINES ? estado.ancho : 0;
    const float* c = estado.color;
    auto igual = [&](const TandaLote& t) {
        return t.modo == modo && t.cerrada == cerrada && t.ancho == ancho && t.color[0] == c[0] &&
               t.color[1] == c[1] && t.color[2] == c[2];
    };
    std::vector<TandaLote>& ts = estado.grupo.tandas;
    if (estado.ultimaTanda >= 0 && igual(ts[static_cast<size_t>(estado.ultimaTanda)])) {
        return ts[static_cast<size_t>(estado.ultimaTanda)];
    }
    for (size_t i = 0; i < ts.size(); i++) {
        if (igual(ts[i])) {
            estado.ultimaTanda = static_cast<int>(i);
            return ts[i];
        }
    }
    TandaLote t;
    t.modo = modo;
    t.ancho = ancho;
    t.cerrada = cerrada;
    for (int i = 0; i < 3; i++) t.color[i] = c[i];
    ts.push_back(std::move(t));
    estado.ultimaTanda = static_cast<int>(ts.size()) - 1;
    return ts.back();
}

VerticeLote aVertice(const Vector3d& p)
{
    return {static_cast<float>(p.x()), static_cast<float>(p.y()), static_cast<float>(p.z())};
}

void agregar(TandaLote& t, const Emitido& v)
{
    if (v.marco < 0) {
        t.fijos.push_back(aVertice(v.p));
    } else {
        t.camara.push_back({v.marco, v.p});
    }
}

void agregarLinea(const Emitido& a, const Emitido& b)
{
    TandaLote& t = tanda(GL_LINES, Superficie::abierta);
    agregar(t, a);
    agregar(t, b);
}

void agregarTriangulo(const Emitido& a, const Emitido& b, const Emitido& c,
                      Superficie superficie)
{
    TandaLote& t = tanda(GL_TRIANGLES, superficie);
    agregar(t, a);
    agregar(t, b);
    agregar(t, c);
}

// Sin las formas leídas (modo feedback antes de leerlas) se dibuja directo con
// freeglut bajo la matriz actual
void dibujarDirecto(const std::function<void()>& dibujo)
{
    const Afin m = matrizEnEscena(actual());
    glColor3f(estado.color[0], estado.color[1], estado.color[2]);
    glLineWidth(estado.ancho);
    glPushMatrix();
    glMultMatrixd(m.matrix().data());
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

// Los marcos del grupo con la cámara actual; el mismo lugar para todos los
// grupos y cuadros
std::vector<Afin> marcosResueltos;

// Los vértices de cámara del grupo con la cámara actual (solo si cambió lo que leen)
void resolverVerticesCamara(GrupoLote& g)
{
    float giro[2];
    angulosGiro(giro);
    std::array<double, 9> clave{};
    if (g.usaGiro) clave = {giro[0], giro[1]};
    if (g.usaDistancia) clave[2] = distCamObj;
    if (g.usaOjo) {
        const double ojo[6] = {xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj};
        std::copy(ojo, ojo + 6, clave.begin() + 3);
    }
    if (g.resuelto && clave == g.camaraResuelta) return;
    const Matrix3d Rc = giroCamara();
    std::vector<Afin>& F = marcosResueltos;
    F.resize(g.marcos.size());
    for (size_t f = 0; f < g.marcos.size(); f++) F[f] = marcoEnEscena(g.marcos[f], Rc);
    for (TandaLote& t : g.tandas) {
        t.resueltos.resize(t.camara.size());
        for (size_t k = 0; k < t.camara.size(); k++) {
            const VerticeCamara& v = t.camara[k];
            t.resueltos[k] = aVertice(F[static_cast<size_t>(v.marco)] * v.u);
        }
    }
    g.resuelto = true;
    g.camaraResuelta = clave;
}

void dibujarGrupo(GrupoLote& g)
{
    if (!g.marcos.empty()) resolverVerticesCamara(g);
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
    estado.dentro = false;
    estado.pila.assign(1, Matriz());
    estado.ultimaTanda = -1;
    GrupoLote g;
    std::swap(g, estado.grupo);
    if (estado.grabacion) {
        if (!g.tandas.empty()) {
            grabarListas(g);
            estado.grabacion->grupos.push_back(std::move(g));
        }
        estado.grabacion->conEstado = true;
        for (int i = 0; i < 3; i++) estado.grabacion->color[i] = estado.color[i];
        estado.grabacion->ancho = estado.ancho;
    } else {
        dibujarGrupo(g);
    }
    // El dibujo que sigue, grabado o no, parte del estado que este deja
    glColor3f(estado.color[0], estado.color[1], estado.color[2]);
    glLineWidth(estado.ancho);
}

}  // namespace

LoteDibujo::LoteDibujo()
{
    if (estado.nivel++ > 0) return;
    lotePrepararFormas();
    GLfloat c[4] = {1, 1, 1, 1};
    glGetFloatv(GL_CURRENT_COLOR, c);
    for (int i = 0; i < 3; i++) estado.color[i] = c[i];
    glGetFloatv(GL_LINE_WIDTH, &estado.ancho);
    estado.pila.assign(1, Matriz());
    estado.grupo = GrupoLote();
    estado.ultimaTanda = -1;
    estado.avisadoSinLote = false;
}

LoteDibujo::~LoteDibujo()
{
    if (--estado.nivel > 0) return;
    estado.nivel = 0;
    vaciar();
}

void loteEmpujarMatriz()
{
    if (sinLote("loteEmpujarMatriz") || estado.dentro) return;
    estado.pila.push_back(actual());
}

void loteSacarMatriz()
{
    if (sinLote("loteSacarMatriz") || estado.dentro) return;
    if (estado.pila.size() > 1) estado.pila.pop_back();
}

void loteTrasladar(double x, double y, double z)
{
    if (sinLote("loteTrasladar") || estado.dentro) return;
    actual().m.translate(Vector3d(x, y, z));
}

void loteGirar(double grados, double x, double y, double z)
{
    Matrix3d r;
    if (sinLote("loteGirar") || estado.dentro || !matrizGiro(grados, Vector3d(x, y, z), r)) return;
    actual().m.rotate(r);
}

void loteEscalar(double sx, double sy, double sz)
{
    if (sinLote("loteEscalar") || estado.dentro) return;
    actual().m.scale(Vector3d(sx, sy, sz));
}

void loteGirarHaciaCamara()
{
    if (!sinLote("loteGirarHaciaCamara") && !estado.dentro) {
        abrirMarcoCamara(marcoGiro, 0, Vector3d::Zero());
    }
}

void loteEscalarConCamara(double k)
{
    if (!sinLote("loteEscalarConCamara") && !estado.dentro) {
        abrirMarcoCamara(marcoEscala, k, Vector3d::Zero());
    }
}

void loteTrasladarConCamara(double kx, double ky, double kz)
{
    if (!sinLote("loteTrasladarConCamara") && !estado.dentro) {
        abrirMarcoCamara(marcoTraslacion, 0, Vector3d(kx, ky, kz));
    }
}

void loteDelanteDe(const Vector3d& a, const Vector3d& b, double grosor, double radio)
{
    if (sinLote("loteDelanteDe") || estado.dentro) return;
    // El tramo pasa de la matriz actual a la escena: fuera de un marco de cámara
    if (actual().marco >= 0) {
        std::cerr << "Error del visor: el tramo que una etiqueta no debe tapar va antes que los "
                     "marcos de cámara; se deja sin aplicar"
                  << std::endl;
        return;
    }
    const Afin& m = actual().m;
    TramoDelante t;
    t.activo = true;
    t.a = m * a;
    t.b = m * b;
    t.grosor = grosor;
    t.radio = radio;
    abrirMarcoCamara(marcoTraslacion, 0, Vector3d::Zero(), t);
}

void loteColor(float r, float g, float b)
{
    if (sinLote("loteColor")) return;
    estado.color[0] = r;
    estado.color[1] = g;
    estado.color[2] = b;
}

void loteAnchoLinea(float w)
{
    if (!sinLote("loteAnchoLinea") && !estado.dentro && w > 0) estado.ancho = w;
}

void loteComenzar(GLenum modo)
{
    if (sinLote("loteComenzar") || estado.dentro) return;
    estado.dentro = true;
    estado.modo = modo;
    estado.enEspera = 0;
    estado.cuenta = 0;
}

void loteVertice(double x, double y, double z)
{
    if (sinLote("loteVertice") || !estado.dentro) return;
    Emitido v = emitir(x, y, z);
    Emitido* espera = estado.espera;
    switch (estado.modo) {
    case GL_LINES:
        espera[estado.enEspera++] = v;
        if (estado.enEspera == 2) {
            agregarLinea(espera[0], espera[1]);
            estado.enEspera = 0;
        }
        break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
        if (estado.cuenta == 0) estado.primero = v;
        if (estado.cuenta > 0) agregarLinea(estado.previo, v);
        estado.previo = v;
        estado.cuenta++;
        break;
    case GL_TRIANGLES:
        espera[estado.enEspera++] = v;
        if (estado.enEspera == 3) {
            agregarTriangulo(espera[0], espera[1], espera[2], Superficie::abierta);
            estado.enEspera = 0;
        }
        break;
    case GL_QUADS:
        espera[estado.enEspera++] = v;
        if (estado.enEspera == 4) {
            agregarTriangulo(espera[0], espera[1], espera[2], Superficie::abierta);
            agregarTriangulo(espera[0], espera[2], espera[3], Superficie::abierta);
            estado.enEspera = 0;
        }
        break;
    default:
        break;
    }
}

void loteTerminar()
{
    if (sinLote("loteTerminar") || !estado.dentro) return;
    if (estado.modo == GL_LINE_LOOP && estado.cuenta >= 2) {
        agregarLinea(estado.previo, estado.primero);
    }
    estado.dentro = false;
}

void loteTexto(const char* texto)
{
    if (sinLote("loteTexto") || texto == nullptr || estado.dentro) return;
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
    if (sinLote("loteEsfera") || estado.dentro) return;
    const std::vector<double>* tri = loteEsferaUnidad(tajadas, pilas);
    if (tri == nullptr) {
        dibujarDirecto([&] { glutSolidSphere(r, tajadas, pilas); });
        return;
    }
    // Un marco espejado da vuelta el sentido de los triángulos
    bool espejo = (actual().m.linear().determinant() < 0) != (r < 0);
    const std::vector<double>& t = *tri;
    for (size_t k = 0; k + 8 < t.size(); k += 9) {
        Emitido a = emitir(r * t[k], r * t[k + 1], r * t[k + 2]);
        Emitido b = emitir(r * t[k + 3], r * t[k + 4], r * t[k + 5]);
        Emitido c = emitir(r * t[k + 6], r * t[k + 7], r * t[k + 8]);
        if (espejo) {
            agregarTriangulo(a, c, b, Superficie::cerrada);
        } else {
            agregarTriangulo(a, b, c, Superficie::cerrada);
        }
    }
}

void loteGrabarEn(GrabacionLote* g) { estado.grabacion = g; }

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
