#include "comun/capturaGL.h"

#include <cstdio>

#include <GL/freeglut.h>
#include <GL/gl.h>

std::vector<PrimitivaGL> capturarFeedback(const std::function<void()>& dibujo, int capacidad)
{
    std::vector<GLfloat> buf(static_cast<size_t>(capacidad));
    glFeedbackBuffer(capacidad, GL_3D_COLOR, buf.data());
    glRenderMode(GL_FEEDBACK);
    dibujo();
    GLint n = glRenderMode(GL_RENDER);
    std::vector<PrimitivaGL> salida;
    if (n < 0) {
        return salida;  // desbordó: la prueba verá una lista vacía
    }
    auto leerVertice = [&](GLint& i) {
        VerticeGL v{buf[i], buf[i + 1], buf[i + 2], buf[i + 3], buf[i + 4], buf[i + 5], buf[i + 6]};
        i += 7;
        return v;
    };
    GLint i = 0;
    while (i < n) {
        GLint token = static_cast<GLint>(buf[i++]);
        PrimitivaGL p;
        switch (token) {
        case GL_POINT_TOKEN:
            p.tipo = PrimitivaGL::Punto;
            p.v.push_back(leerVertice(i));
            break;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
            p.tipo = PrimitivaGL::Linea;
            p.v.push_back(leerVertice(i));
            p.v.push_back(leerVertice(i));
            break;
        case GL_POLYGON_TOKEN: {
            p.tipo = PrimitivaGL::Poligono;
            GLint k = static_cast<GLint>(buf[i++]);
            for (GLint j = 0; j < k; j++) p.v.push_back(leerVertice(i));
            break;
        }
        case GL_BITMAP_TOKEN:
            p.tipo = PrimitivaGL::Bitmap;
            p.v.push_back(leerVertice(i));
            break;
        case GL_DRAW_PIXEL_TOKEN:
            p.tipo = PrimitivaGL::DibujoPixeles;
            p.v.push_back(leerVertice(i));
            break;
        case GL_COPY_PIXEL_TOKEN:
            p.tipo = PrimitivaGL::CopiaPixeles;
            p.v.push_back(leerVertice(i));
            break;
        case GL_PASS_THROUGH_TOKEN:
            p.tipo = PrimitivaGL::Marca;
            p.marca = buf[i++];
            break;
        default:
            return salida;  // token desconocido: se corta la lectura
        }
        salida.push_back(p);
    }
    return salida;
}

int contarPrimitivas(const std::vector<PrimitivaGL>& p, PrimitivaGL::Tipo tipo)
{
    int n = 0;
    for (const auto& q : p) {
        if (q.tipo == tipo) n++;
    }
    return n;
}

std::vector<unsigned char> leerPixeles(int& ancho, int& alto)
{
    ancho = glutGet(GLUT_WINDOW_WIDTH);
    alto = glutGet(GLUT_WINDOW_HEIGHT);
    std::vector<unsigned char> px(static_cast<size_t>(ancho) * alto * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, ancho, alto, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    return px;
}

void guardarPPM(const std::string& ruta)
{
    int w = 0, h = 0;
    std::vector<unsigned char> px = leerPixeles(w, h);
    FILE* f = std::fopen(ruta.c_str(), "wb");
    if (!f) return;
    std::fprintf(f, "P6\n%d %d\n255\n", w, h);
    for (int fila = h - 1; fila >= 0; fila--) {
        std::fwrite(&px[static_cast<size_t>(fila) * w * 3], 1, static_cast<size_t>(w) * 3, f);
    }
    std::fclose(f);
}
