// Tandas de dibujo de la escena. Los dibujos no mandan a OpenGL cada
// primitiva con su propia matriz: la pila de matrices se lleva aquí en double,
// cada vértice se lleva a coordenadas de la escena y se junta con los de su
// clase (líneas de un ancho, triángulos, esferas) y su color. Al cerrarse el
// dibujo de más afuera (LoteDibujo) cada tanda sale en una sola llamada de
// OpenGL con su color fijo, en el orden en que se abrió; un dibujo que sigue a
// otro sale después, así lo que tapa a qué queda como era.
//
// Lo que depende de la cámara (el giro del texto de cara a ella, la cabeza de
// las flechas de tamaño distCamObj / 75 y el corrimiento de las etiquetas de
// distCamObj / 200) se guarda relativo a su marco y se resuelve con la cámara
// del cuadro: una tanda grabada vale para cualquier cámara.
// Implementación:
//   lotePlot.cpp         pila de matrices, tandas, envío, grabación
//   lotePlot_formas.cpp  letras y esfera leídas de freeglut
#pragma once

#include <array>
#include <vector>

#include <Eigen/Dense>
#include <GL/gl.h>

// Abre un dibujo; el de más afuera manda sus tandas al cerrarse (o las graba,
// ver loteGrabarEn) y deja puestos el color y el ancho de línea actuales.
// Todo dibujo abre uno: sin él las funciones lote* no hacen nada y lo dicen en
// la salida de errores (en una compilación de depuración, se detienen).
class LoteDibujo {
public:
    LoteDibujo();
    ~LoteDibujo();
    LoteDibujo(const LoteDibujo&) = delete;
    LoteDibujo& operator=(const LoteDibujo&) = delete;
};

// Pila de matrices, como glPushMatrix, glPopMatrix, glTranslate, glRotate
// (grados, eje) y glScale; cada una multiplica a la derecha de la actual
void loteEmpujarMatriz();
void loteSacarMatriz();
void loteTrasladar(double x, double y, double z);
void loteGirar(double grados, double x, double y, double z);
void loteEscalar(double sx, double sy, double sz);
// Giro de cara a la cámara: (90 + acimut) sobre z y (90 − elevación) sobre x
void loteGirarHaciaCamara();
// Escala uniforme de k · distCamObj
void loteEscalarConCamara(double k);
// Traslación de distCamObj · (kx, ky, kz)
void loteTrasladarConCamara(double kx, double ky, double kz);
// Lo que sigue (una etiqueta que cabe en un círculo de ese radio alrededor del
// origen del marco) se acerca al ojo a lo largo de su visual, sin cambiar
// dónde se ve, lo justo para quedar delante del tramo a-b (de ese grosor) donde
// los dos se cruzan en la pantalla: una etiqueta queda delante de lo que
// nombra. Lejos del tramo en la pantalla no se mueve.
void loteDelanteDe(const Eigen::Vector3d& a, const Eigen::Vector3d& b, double grosor,
                   double radio);

// Color y ancho de línea actuales, como glColor3f y glLineWidth
void loteColor(float r, float g, float b);
void loteAnchoLinea(float w);

// Primitivas, como glBegin / glVertex3 / glEnd: GL_LINES, GL_LINE_STRIP,
// GL_LINE_LOOP, GL_TRIANGLES y GL_QUADS (cada cuadrilátero en los triángulos
// 0-1-2 y 0-2-3)
void loteComenzar(GLenum modo);
void loteVertice(double x, double y, double z);
void loteTerminar();
// Letras de GLUT_STROKE_MONO_ROMAN, una por byte; cada una corre la matriz
// actual su avance a lo largo de x, como glutStrokeCharacter
void loteTexto(const char* texto);
// Esfera de radio r con los triángulos de glutSolidSphere(r, tajadas, pilas);
// cerrada: sus caras traseras no se dibujan
void loteEsfera(double r, int tajadas, int pilas);

// Formas leídas de freeglut (lotePlot_formas.cpp). lotePrepararFormas lee los
// trazos de las letras y la esfera de los nudos; hace falta la ventana y el
// modo de dibujo normal (no feedback); si no se llamó, el primer dibujo lo
// intenta. false si no se pudo.
bool lotePrepararFormas();
// Trazos de la letra (x1 y1 x2 y2 por tramo, unidades de la fuente) y su
// avance; nullptr si las letras no se leyeron
const std::vector<float>* loteTrazosLetra(int b, double& avance);
// Triángulos de glutSolidSphere(1, tajadas, pilas), 9 reales cada uno, en
// sentido antihorario vistos desde afuera; nullptr si no se pudieron leer
const std::vector<double>* loteEsferaUnidad(int tajadas, int pilas);

// Vértice en coordenadas de la escena
struct VerticeLote {
    float x, y, z;
};

// Tramo de la escena delante del cual queda lo dibujado (loteDelanteDe)
struct TramoDelante {
    bool activo = false;
    Eigen::Vector3d a = Eigen::Vector3d::Zero(), b = Eigen::Vector3d::Zero();
    double grosor = 0;
    double radio = 0;
};

// Marco que depende de la cámara: p = t + distCamObj · tc + L · C · u, con C
// la identidad, el giro de cara a la cámara o la escala k · distCamObj; y
// acercado al ojo si tiene un tramo delante del cual quedar
enum TipoMarco { marcoTraslacion, marcoGiro, marcoEscala };
struct MarcoCamara {
    Eigen::Vector3d t;
    Eigen::Vector3d tc;
    Eigen::Matrix3d L;
    TipoMarco tipo;
    double k;
    TramoDelante delante;
};

struct VerticeCamara {
    int marco;
    Eigen::Vector3d u;
};

struct TandaLote {
    GLenum modo;       // GL_LINES o GL_TRIANGLES
    float ancho;       // de las líneas
    float color[3];
    bool cerrada;      // triángulos de esferas: sin caras traseras
    std::vector<VerticeLote> fijos;
    std::vector<VerticeCamara> camara;
    GLuint lista = 0;  // los fijos grabados en una lista de OpenGL
    std::vector<VerticeLote> resueltos;  // los de cámara, con la última cámara
};

// Lo que manda un dibujo de afuera
struct GrupoLote {
    std::vector<TandaLote> tandas;
    std::vector<MarcoCamara> marcos;
    bool usaGiro = false;       // sus vértices de cámara leen el giro
    bool usaDistancia = false;  // o distCamObj
    bool usaOjo = false;        // o el ojo y el punto mirado
    bool resuelto = false;
    // Lo que leyeron de la cámara al resolverse: giro, distancia, ojo y punto mirado
    std::array<double, 9> camaraResuelta{};
};

struct GrabacionLote {
    std::vector<GrupoLote> grupos;
    bool conEstado = false;  // color y ancho que dejó el último dibujo
    float color[3] = {1, 1, 1};
    float ancho = 1;
};

// Mientras g no es nulo, los dibujos de afuera se agregan a g en vez de
// mandarse (las partes fijas a listas de OpenGL cuando se puede)
void loteGrabarEn(GrabacionLote* g);
// Manda lo grabado con la cámara actual y deja el color y el ancho grabados
void loteReproducir(GrabacionLote& g);
// Suelta lo grabado y sus listas
void loteVaciarGrabacion(GrabacionLote& g);
